#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// One row of table Mp3s as plain values, in column order: what the fast row reader hands out.
// NULL reads as 0, as a null text and as an invalid date-time, as in the record set.
struct CKivMp3sRow
{
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
};
