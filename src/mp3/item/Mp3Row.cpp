#include "mp3/item/Mp3Row.h"

#include "catalog/RsImport.h"
#include "catalog/Mp3sRow.h"
#include "catalog/RsMp3s.h"
#include "mp3/item/Mp3Item.h"

namespace KivMp3Row {

CKivMp3Data Read(const CRsMp3s &rs)
{
    CKivMp3Data d;
    d.m_ID = rs.m_ID;
    d.m_Anlegedatum = rs.m_Anlegedatum;
    d.m_Title = rs.m_Title;
    d.m_Artist = rs.m_Artist;
    d.m_ArtistID = rs.m_ArtistID;
    d.m_Album = rs.m_Album;
    d.m_TrackNr = rs.m_TrackNr;
    d.m_Year = rs.m_Year;
    d.m_Genre = rs.m_Genre;
    d.m_GenreName = rs.m_GenreName;
    d.m_Frames = rs.m_Frames;
    d.m_Length = rs.m_Length;
    d.m_MpegVersion = rs.m_MpegVersion;
    d.m_MpegLayer = rs.m_MpegLayer;
    d.m_HasCRC = rs.m_HasCRC;
    d.m_BitRate = rs.m_BitRate;
    d.m_SampleRate = rs.m_SampleRate;
    d.m_Emphasis = rs.m_Emphasis;
    d.m_Copyright = rs.m_Copyright;
    d.m_Original = rs.m_Original;
    d.m_SearchIndex = rs.m_SearchIndex;
    d.m_Filename = rs.m_Filename;
    d.m_Mediumname = rs.m_Mediumname;
    d.m_SubPath = rs.m_SubPath;
    d.m_Comment = rs.m_Comment;
    d.m_ChannelMode = rs.m_ChannelMode;
    d.m_Bewertung = rs.m_Bewertung;
    d.m_FolderID = rs.m_FolderID;
    d.m_FileSize = rs.m_FileSize;
    d.m_Validity = rs.m_Validity;
    d.m_ImportID = rs.m_ImportID;
    return d;
}

CKivMp3Data Read(CKivMp3sRow &&row)
{
    CKivMp3Data d;
    d.m_ID = row.m_ID;
    d.m_Anlegedatum = std::move(row.m_Anlegedatum);
    d.m_Title = std::move(row.m_Title);
    d.m_Artist = std::move(row.m_Artist);
    d.m_ArtistID = row.m_ArtistID;
    d.m_Album = std::move(row.m_Album);
    d.m_TrackNr = row.m_TrackNr;
    d.m_Year = std::move(row.m_Year);
    d.m_Genre = row.m_Genre;
    d.m_GenreName = std::move(row.m_GenreName);
    d.m_Frames = row.m_Frames;
    d.m_Length = row.m_Length;
    d.m_MpegVersion = row.m_MpegVersion;
    d.m_MpegLayer = row.m_MpegLayer;
    d.m_HasCRC = row.m_HasCRC;
    d.m_BitRate = row.m_BitRate;
    d.m_SampleRate = row.m_SampleRate;
    d.m_Emphasis = row.m_Emphasis;
    d.m_Copyright = row.m_Copyright;
    d.m_Original = row.m_Original;
    d.m_SearchIndex = std::move(row.m_SearchIndex);
    d.m_Filename = std::move(row.m_Filename);
    d.m_Mediumname = std::move(row.m_Mediumname);
    d.m_SubPath = std::move(row.m_SubPath);
    d.m_Comment = std::move(row.m_Comment);
    d.m_ChannelMode = row.m_ChannelMode;
    d.m_Bewertung = row.m_Bewertung;
    d.m_FolderID = row.m_FolderID;
    d.m_FileSize = row.m_FileSize;
    d.m_Validity = row.m_Validity;
    d.m_ImportID = row.m_ImportID;
    return d;
}

void Write(const CKivMp3Data &d, CRsMp3s &rs, bool withCreationDate)
{
    if (withCreationDate)
        rs.m_Anlegedatum = d.m_Anlegedatum;
    rs.m_Title = d.m_Title;
    rs.m_Artist = d.m_Artist;
    rs.m_ArtistID = d.m_ArtistID;
    rs.m_Album = d.m_Album;
    rs.m_TrackNr = d.m_TrackNr;
    rs.m_Year = d.m_Year;
    rs.m_Genre = d.m_Genre;
    rs.m_GenreName = d.m_GenreName;
    rs.m_Frames = d.m_Frames;
    rs.m_Length = d.m_Length;
    rs.m_MpegVersion = d.m_MpegVersion;
    rs.m_MpegLayer = d.m_MpegLayer;
    rs.m_HasCRC = d.m_HasCRC;
    rs.m_BitRate = d.m_BitRate;
    rs.m_SampleRate = d.m_SampleRate;
    rs.m_Emphasis = d.m_Emphasis;
    rs.m_Copyright = d.m_Copyright;
    rs.m_Original = d.m_Original;
    rs.m_SearchIndex = d.m_SearchIndex;
    rs.m_Filename = d.m_Filename;
    rs.m_Mediumname = d.m_Mediumname;
    rs.m_MediumSubPathFilename = d.Key();
    rs.m_SubPath = d.m_SubPath;
    rs.m_Comment = d.m_Comment;
    rs.m_ChannelMode = d.m_ChannelMode;
    rs.m_Bewertung = d.m_Bewertung;
    rs.m_FolderID = d.m_FolderID;
    rs.m_FileSize = d.m_FileSize;
    rs.m_Validity = d.m_Validity;
    rs.m_ImportID = d.m_ImportID;
}

std::optional<CKivMp3ImportData> ReadImport(CKivDatabase &db, int importId)
{
    CRsImport rs(db);
    if (!rs.OpenById(importId))
        return std::nullopt;
    CKivMp3ImportData data;
    data.m_SourceMedium = rs.m_SourceMedium;
    data.m_SourceSubPath = rs.m_SourceSubPath;
    data.m_SourceFilename = rs.m_SourceFilename;
    data.m_DestMedium = rs.m_DestMedium;
    data.m_DestSubPath = rs.m_DestSubPath;
    data.m_DestFilename = rs.m_DestFilename;
    rs.Close();
    return data;
}

bool DeleteImport(CKivDatabase &db, int importId)
{
    CRsImport rs(db);
    if (!rs.OpenById(importId))
        return !rs.lastOpenFailedInDatabase() && rs.lastError().isEmpty();
    const bool deleted = rs.Delete();
    rs.Close();
    return deleted;
}

} // namespace KivMp3Row

CKivMp3::Ptr CKivMp3::FromRow(CKivMedium *medium, CKivMp3Data data, CKivDatabase &db)
{
    auto item = std::make_shared<CKivMp3>();
    item->m_medium = medium;
    item->m_data = std::move(data);
    if (item->m_data.m_ImportID != 0) {
        if (const auto import = KivMp3Row::ReadImport(db, item->m_data.m_ImportID))
            item->m_import = *import;
    }
    return item;
}
