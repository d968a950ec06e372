#pragma once

#include "catalog/Recordset.h"

class IKivMp3Filter;

// One row per catalogued MP3 file (table Mp3s). Every operation but OpenById reads the rows in
// the sort order the user chose in the filter.
class CRsMp3s : public CKivRecordset
{
public:
    explicit CRsMp3s(CKivDatabase &db);

    qint32 m_ID = 0;
    QDateTime m_Anlegedatum;
    QString m_Title;
    QString m_Artist;
    qint32 m_ArtistID = 0;
    QString m_Album;
    qint32 m_TrackNr = 0;
    QString m_Year;
    qint32 m_Genre = 0;
    QString m_GenreName;
    qint32 m_Frames = 0;
    qint32 m_Length = 0;
    qint32 m_MpegVersion = 0;
    qint32 m_MpegLayer = 0;
    qint32 m_HasCRC = 0;
    qint32 m_BitRate = 0;
    qint32 m_SampleRate = 0;
    qint32 m_Emphasis = 0;
    qint32 m_Copyright = 0;
    qint32 m_Original = 0;
    QString m_SearchIndex;
    QString m_Filename;
    QString m_Mediumname;
    QString m_MediumSubPathFilename;
    QString m_SubPath;
    QString m_Comment;
    qint32 m_ChannelMode = 0;
    qint32 m_Bewertung = 0;
    qint32 m_FolderID = 0;
    qint32 m_FileSize = 0;
    qint32 m_Validity = 0;
    QDateTime m_CreationTime;
    qint32 m_ImportID = 0;

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
