#pragma once

#include "catalog/Mp3sRow.h"

#include <QDateTime>
#include <QString>
#include <QtGlobal>

// The values of one catalogued MP3 file as table Mp3s stores them, with the two texts composed
// from them: the key that identifies the file in the whole catalog and the search text. The item
// always composes its key from medium, sub-path and file name (Key()); the stored key and creation
// time members of the row are not used by it.
struct CKivMp3Data : CKivMp3sRow
{
    // A new item: not stored yet (-1), no artist row, track 0, genre 255 (none), rating 3.
    CKivMp3Data()
    {
        m_ID = -1;
        m_ArtistID = -1;
        m_Genre = 255;
        m_Bewertung = 3;
        m_FolderID = -1;
    }

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

    // The row a save stores for these values: key and search text composed.
    CKivMp3sRow StoredRow() const
    {
        CKivMp3sRow row = *this;
        row.m_SearchIndex = ComposeSearchIndex();
        row.m_MediumSubPathFilename = Key();
        return row;
    }
};
