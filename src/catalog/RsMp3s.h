#pragma once

#include "catalog/Mp3sRow.h"
#include "catalog/Recordset.h"

class IKivMp3Filter;

// One row per catalogued MP3 file (table Mp3s). Every operation but OpenById reads the rows in
// the sort order the user chose in the filter.
class CRsMp3s : public CKivRecordset, public CKivMp3sRow
{
public:
    explicit CRsMp3s(CKivDatabase &db);

    // The bound columns are the members of CKivMp3sRow.


    bool OpenById(qint32 id);
    // The file with this identity key ("(" medium ")" sub-path file name).
    bool OpenByKey(const QString &key);
    // Search on "SearchIndex" or "Mediumname" (any other field opens nothing and gives false);
    // pending imports are never found.
    bool OpenSearch(const QString &field, const QString &op, const QString &value, const QString &mediumName);
    // The medium's files, or those whose sub-path contains the text anywhere.
    bool OpenByMediumSubPath(const QString &mediumName, const QString &subPathText, bool pendingImportsOnly);
    bool OpenByFolder(const QString &mediumName, qint32 folderId, bool pendingImportsOnly);
    // The filter's condition and sort. A condition the database refuses is reported to the user,
    // who then gets the filter dialog to correct it; the result is false.
    bool OpenWithFilter(IKivMp3Filter &filter);
};
