#pragma once

#include <QString>

class IKivMp3Filter;

// The condition and sort of one query over table Mp3s, built exactly as the MP3 record set builds
// them for its open operations (values quoted by SqlQuote, the user's sort clause).
struct CKivMp3sQuery
{
    QString filter;
    QString sort;
    // False for a search on a field that cannot be searched: nothing is to be run.
    bool runnable = true;

    // The medium's files, or those whose sub-path contains the text anywhere; with
    // pendingImportsOnly only rows waiting for import.
    static CKivMp3sQuery ByMediumSubPath(const QString &mediumName, const QString &subPathText,
                                         bool pendingImportsOnly);
    // Search on "SearchIndex" or "Mediumname"; pending imports are never found.
    static CKivMp3sQuery Search(const QString &field, const QString &op, const QString &value,
                                const QString &mediumName);
    // The filter's condition and sort clause.
    static CKivMp3sQuery WithFilter(const IKivMp3Filter &filter);
};
