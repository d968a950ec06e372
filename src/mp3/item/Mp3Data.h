#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// The values of one catalogued MP3 file as table Mp3s stores them (member names follow the
// columns), with the two texts composed from them: the key that identifies the file in the whole
// catalog and the search text.
struct CKivMp3Data
{
    qint32 m_ID = -1;  // -1 until the row is stored
    QDateTime m_Anlegedatum;
    QString m_Title;
    QString m_Artist;
    qint32 m_ArtistID = -1;
    QString m_Album;
    qint32 m_TrackNr = 0;
    QString m_Year;
    qint32 m_Genre = 255;
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
    QString m_SubPath;  // "Rock\Live\": no leading, one trailing backslash; empty for the root
    QString m_Comment;
    qint32 m_ChannelMode = 0;
    qint32 m_Bewertung = 3;
    qint32 m_FolderID = -1;
    qint32 m_FileSize = 0;
    qint32 m_Validity = 0;
    qint32 m_ImportID = 0;

    // "(" + medium name + ")" + sub-path + file name: the value of MediumSubPathFilename.
    static QString Key(const QString &mediumName, const QString &subPath, const QString &filename)
    {
        return QLatin1Char('(') + mediumName + QLatin1Char(')') + subPath + filename;
    }
    QString Key() const { return Key(m_Mediumname, m_SubPath, m_Filename); }

    // The search text, the texts taken as they are: "(" + medium name + ")," + sub-path + file name
    // + "," + album + "," + artist + "," + title + "," + year + "," + genre name + "," + comment.
    QString ComposeSearchIndex() const
    {
        const QLatin1Char comma(',');
        return QLatin1Char('(') + m_Mediumname + QLatin1String("),") + m_SubPath + m_Filename + comma + m_Album
             + comma + m_Artist + comma + m_Title + comma + m_Year + comma + m_GenreName + comma + m_Comment;
    }
};
