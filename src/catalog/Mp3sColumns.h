#pragma once

#include "catalog/Mp3sRow.h"

// The columns of table Mp3s that a save writes from the item's values: every column but ID and the
// two date-times (the creation date is written once, when the row is added; CreationTime never).
namespace KivMp3sColumns {

struct Integer
{
    const char *name;
    qint32 CKivMp3sRow::*member;
};

struct Text
{
    const char *name;
    QString CKivMp3sRow::*member;
};

inline constexpr Integer Integers[] = {
    {"ArtistID", &CKivMp3sRow::m_ArtistID},     {"TrackNr", &CKivMp3sRow::m_TrackNr},
    {"Genre", &CKivMp3sRow::m_Genre},           {"Frames", &CKivMp3sRow::m_Frames},
    {"Length", &CKivMp3sRow::m_Length},         {"MpegVersion", &CKivMp3sRow::m_MpegVersion},
    {"MpegLayer", &CKivMp3sRow::m_MpegLayer},   {"HasCRC", &CKivMp3sRow::m_HasCRC},
    {"BitRate", &CKivMp3sRow::m_BitRate},       {"SampleRate", &CKivMp3sRow::m_SampleRate},
    {"Emphasis", &CKivMp3sRow::m_Emphasis},     {"Copyright", &CKivMp3sRow::m_Copyright},
    {"Original", &CKivMp3sRow::m_Original},     {"ChannelMode", &CKivMp3sRow::m_ChannelMode},
    {"Bewertung", &CKivMp3sRow::m_Bewertung},   {"FolderID", &CKivMp3sRow::m_FolderID},
    {"FileSize", &CKivMp3sRow::m_FileSize},     {"Validity", &CKivMp3sRow::m_Validity},
    {"ImportID", &CKivMp3sRow::m_ImportID},
};

inline constexpr Text Texts[] = {
    {"Title", &CKivMp3sRow::m_Title},
    {"Artist", &CKivMp3sRow::m_Artist},
    {"Album", &CKivMp3sRow::m_Album},
    {"Year", &CKivMp3sRow::m_Year},
    {"GenreName", &CKivMp3sRow::m_GenreName},
    {"SearchIndex", &CKivMp3sRow::m_SearchIndex},
    {"Filename", &CKivMp3sRow::m_Filename},
    {"Mediumname", &CKivMp3sRow::m_Mediumname},
    {"MediumSubPathFilename", &CKivMp3sRow::m_MediumSubPathFilename},
    {"SubPath", &CKivMp3sRow::m_SubPath},
    {"Comment", &CKivMp3sRow::m_Comment},
};

} // namespace KivMp3sColumns
