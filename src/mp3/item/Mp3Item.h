#pragma once

#include "mp3/item/Mp3Data.h"
#include "mp3/item/Mp3ImportData.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class CKivDatabase;
class CKivMedienListe;
class CKivMedium;
class CMpegAudioInfo;
class CRsMp3s;

// One MP3 file as the catalog knows it: its place (medium, sub-path, file name), its tag texts, its
// technical values, the user's rating and the bookkeeping of the Mp3s row that stores it. The item is
// the one place where the file and its row are kept in step: tag changes go into the file first, and
// the composed texts (search index, key) are rebuilt before every save.
//
// Items are shared by every list that holds them (CKivMp3::Ptr) and live as long as the last holder.
// An item refers to its medium by address and never owns it; the media set outlives the lists built
// on it. Operations that touch the catalog take the connection of the calling thread.
//
// Every file operation first requires the medium to be online (state 2) and fails quietly otherwise;
// the lists show why through the status code. Copies and renames never overwrite a file: a taken
// name gives way to the next free one ("Song (2).mp3").
class CKivMp3
{
public:
    using Ptr = std::shared_ptr<CKivMp3>;

    // An empty item: not stored (ID -1), no medium, status 8.
    CKivMp3() = default;

    // --- creation
    // From the current row of an open record set, with the Import row's texts when the row is a
    // pending import. A closed record set is reported to the user and gives an empty item.
    static Ptr FromRow(CKivMedium *medium, CRsMp3s &rs);
    // The same from a row's values read without a record set (KivMp3Row::Read); the Import row
    // comes from db.
    static Ptr FromRow(CKivMedium *medium, CKivMp3Data data, CKivDatabase &db);
    // A row requested through a friend's import list: listMark is the requester's import number, the
    // destination where the requester wants the file.
    static Ptr FromRequestedRow(CKivMedium *medium, CRsMp3s &rs, int listMark, const QString &destMedium,
                                const QString &destSubPath, const QString &destFilename);
    // The requester's own pending row whose file came in an export volume: volumeFile is the local
    // path of that file inside the volume, listMark the import number the export carried.
    static Ptr FromExportedRow(CKivMedium *medium, CRsMp3s &rs, int listMark, const QString &volumeFile);
    // The same three from a row's values and its Import row's texts read by the caller (many rows
    // at a time); import is empty for a row that is no pending import.
    static Ptr FromRow(CKivMedium *medium, CKivMp3Data data, CKivMp3ImportData import);
    static Ptr FromRequestedRow(CKivMedium *medium, CKivMp3Data data, CKivMp3ImportData import, int listMark,
                                const QString &destMedium, const QString &destSubPath, const QString &destFilename);
    static Ptr FromExportedRow(CKivMedium *medium, CKivMp3Data data, CKivMp3ImportData import, int listMark,
                               const QString &volumeFile);
    // A file found by a scan: not stored, rating 3. On an online medium the file is analysed, fully
    // or (quick) by its tag only; a file that cannot be opened is reported and left unanalysed.
    static Ptr FromFile(CKivMedium *medium, const QString &subPath, const QString &filename, bool quick);
    // The same with the file's analysis made already (by a pool that reads ahead): opened and info are
    // what ReadTag (quick) or Analyze returned for the item's full path.
    static Ptr FromAnalysis(CKivMedium *medium, const QString &subPath, const QString &filename, bool quick,
                            bool opened, const CMpegAudioInfo &info);
    // An item of a medium archive, placed on medium; nullptr for a record cut short.
    static Ptr FromArchiveRecord(CKivMedium *medium, const QByteArray &record);

    // --- queries
    const CKivMp3Data &Data() const { return m_data; }
    CKivMedium *Medium() const { return m_medium; }
    // Medium root + sub-path + file name, as a local path; empty without a medium.
    QString FullPath() const;
    // The folder that holds the file, as a local path ending in "/".
    QString FolderPath() const;
    // The medium's state (0 not assigned, 1 offline, 2 online); -1 without a medium.
    int MediumState() const;
    bool IsOnline() const;

    int GetID() const { return m_data.m_ID; }
    QDateTime GetAnlegedatum() const { return m_data.m_Anlegedatum; }
    QString GetMediumname() const { return m_data.m_Mediumname; }
    QString GetFilename() const { return m_data.m_Filename; }
    QString GetSubPath() const { return m_data.m_SubPath; }
    QString GetTitle() const { return m_data.m_Title; }
    QString GetArtist() const { return m_data.m_Artist; }
    QString GetAlbum() const { return m_data.m_Album; }
    QString GetYear() const { return m_data.m_Year; }
    QString GetComment() const { return m_data.m_Comment; }
    int GetArtistID() const { return m_data.m_ArtistID; }
    int GetTrackNr() const { return m_data.m_TrackNr; }
    int GetGenre() const { return m_data.m_Genre; }
    QString GetGenreName() const { return m_data.m_GenreName; }
    int GetFrames() const { return m_data.m_Frames; }
    int GetLength() const { return m_data.m_Length; }
    int GetMpegVersion() const { return m_data.m_MpegVersion; }
    int GetMpegLayer() const { return m_data.m_MpegLayer; }
    int GetHasCRC() const { return m_data.m_HasCRC; }
    int GetBitRate() const { return m_data.m_BitRate; }
    int GetSampleRate() const { return m_data.m_SampleRate; }
    int GetChannelMode() const { return m_data.m_ChannelMode; }
    int GetEmphasis() const { return m_data.m_Emphasis; }
    int GetCopyright() const { return m_data.m_Copyright; }
    int GetOriginal() const { return m_data.m_Original; }
    int GetBewertung() const { return m_data.m_Bewertung; }
    int GetFolderID() const { return m_data.m_FolderID; }
    int GetFileSize() const { return m_data.m_FileSize; }
    int GetValidity() const { return m_data.m_Validity; }
    int GetImportID() const { return m_data.m_ImportID; }
    QString GetSearchIndex() const { return m_data.m_SearchIndex; }
    // The item's key: "(" + medium name + ")" + sub-path + file name.
    QString MediumSubPathFilename() const { return m_data.Key(); }
    // The search index as the fields give it now.
    QString SearchIndex() const { return m_data.ComposeSearchIndex(); }

    int GetListMark() const { return m_listMark; }
    const CKivMp3ImportData &ImportData() const { return m_import; }
    QString GetVolumeFile() const { return m_volumeFile; }

    // Text forms; all four empty for an item catalogued by its tag only (length -1).
    QString LengthText() const;
    QString VersionText() const;
    QString ChannelModeText() const;
    QString EmphasisText() const;
    QString SizeText() const;

    // Computes the status code (KivMp3Status), keeps it and returns it. media finds the source medium
    // of a pending import by name; without it that medium counts as missing.
    int StatusCode(const CKivMedienListe *media);
    int GetStatus() const { return m_status; }

    // --- tag changes: into the file first, then into the row. On failure the item, the file and the
    // row keep their old values and the result is false.
    bool SetTitle(const QString &title, CKivDatabase &db);
    bool SetArtist(const QString &artist, CKivDatabase &db);
    bool SetAlbum(const QString &album, CKivDatabase &db);
    bool SetComment(const QString &comment, CKivDatabase &db);
    bool SetYear(const QString &year, CKivDatabase &db);
    // The tag holds 0..255; other values are clamped so the catalog says what the file says.
    bool SetTrackNr(int track, CKivDatabase &db);
    // name must be one of the genre table's names, exactly.
    bool SetGenreByName(const QString &name, CKivDatabase &db);

    // --- other changes
    // Accepted for 1..5 only; stored at once. Works whatever the medium's state.
    bool SetRating(int rating, CKivDatabase &db);
    // After the file was moved or renamed on disk: takes the new place (the medium's name with the
    // medium) and the Folder row of it, and saves.
    bool SetLocation(CKivMedium *medium, const QString &subPath, const QString &filename, CKivDatabase &db);
    // Stores the item again as a new row at the destination. As an import, an Import row records
    // that the file is still at the item's present place; a destination key already in the catalog
    // is refused with a message. The file itself is not touched.
    bool RegisterAtDestination(CKivMedium *destMedium, const QString &destSubPath, const QString &destFilename,
                               bool asImport, CKivDatabase &db);
    // Gives the file a new name in its folder (".mp3" appended unless the name ends so, in any case)
    // and saves. Returns the name actually used, or nothing.
    std::optional<QString> Rename(const QString &newName, CKivDatabase &db);
    // --- the same in two steps, for callers that write the rows of many items together: the file
    // changes first, the row later, and a row the catalog refuses takes its file back.
    // Applies the change to the item's values and writes the tag into the file; the catalog is not
    // touched. Returns the values before, or nothing when the file could not be written (the item
    // and the file keep their old values).
    std::optional<CKivMp3Data> WriteTagFile(const std::function<void(CKivMp3Data &)> &apply);
    // Renames the file as Rename does; the catalog is not touched. Returns the values before.
    std::optional<CKivMp3Data> RenameFile(const QString &newName);
    // Writes the row after a file step: one update of the columns that differ from before, or a
    // whole save when the item has no stored row, its row is gone or nothing differs. False when
    // the catalog refused it (the item keeps its new values: see TakeBack).
    bool WriteRow(const CKivMp3Data &before, CKivDatabase &db);
    // The caller wrote the row itself: the rating counts as the user's from now on.
    void RowWritten() { m_ratingFromFile = false; }
    // Takes a file step back whose row was refused: the file gets its old name and tag again, the
    // item its values before.
    void TakeBack(const CKivMp3Data &before);
    // Copies a pending import's file to the item's place and makes the row an ordinary one; media
    // finds the source medium by name.
    bool ExecuteImport(const CKivMedienListe *media, CKivDatabase &db);
    // The two steps of ExecuteImport, for callers that group the catalog writes of many imports:
    // copies the file to the item's place under a free name (the full path of the copy, or nothing;
    // the catalog is not touched), then makes the row an ordinary one with the copy's name. When
    // the catalog refuses, the item stays a pending import and the copy is the caller's to remove.
    std::optional<QString> CopyImportFile(const CKivMedienListe *media) const;
    bool RecordImport(const QString &copy, CKivDatabase &db);
    // Copies the file into an export volume folder, below the item's sub-path there; the catalog is
    // not changed. Returns the file name actually used, or nothing.
    std::optional<QString> CopyToExportVolume(const QString &volumeFolder);

    // --- marks of folder operations (not stored)
    bool IsMarked() const { return m_marked; }
    // Marks the item when it is this file (filename given) or lies below subPath (filename empty).
    bool MarkIfInside(const QString &mediumName, const QString &subPath, const QString &filename);
    // The item with this ID takes the new sub-path and file name and loses its mark.
    bool ClearMarkById(int id, const QString &subPath, const QString &filename);
    // A sub-path beginning with oldPrefix gets newPrefix instead, and the mark is cleared.
    bool MovePrefix(const QString &mediumName, const QString &oldPrefix, const QString &newPrefix);

    // Set when a folder operation removed the file or its folder (not stored).
    bool IsDeleted() const { return m_deleted; }
    void SetDeleted(bool deleted) { m_deleted = deleted; }

    // --- storing
    // Finds the row by ID, or by key when the ID is not known (then taking the row's ID), updates it
    // or adds a new one; the creation date is written only when adding. An item made from a file
    // that finds its row by key keeps the stored rating and creation date: the rating is the
    // user's, not the file's.
    bool Save(CKivDatabase &db);
    // The same through an open record set of the caller (used for many saves in a row).
    bool Save(CRsMp3s &rs);
    // Lets a caller that already knows the stored row hand over what a save by key would take from
    // it: ID, creation date and, for an item made from a file, the rating.
    void AdoptStoredRow(int id, const QDateTime &anlegedatum, int bewertung);
    // The folder ID, as a scan sets it before saving.
    void SetFolderID(int folderId) { m_data.m_FolderID = folderId; }

    // The 520-byte medium archive record of the item.
    QByteArray ArchiveRecord() const;

private:
    bool changeTag(CKivDatabase &db, const std::function<void(CKivMp3Data &)> &apply);
    bool writeTagToFile() const;
    static Ptr fromFile(CKivMedium *medium, const QString &subPath, const QString &filename, bool quick,
                        const std::function<bool(const QString &path, CMpegAudioInfo &info)> &analyse);
    void takeAnalysis(const CMpegAudioInfo &info, bool quick);
    void rebuildSearchIndex() { m_data.m_SearchIndex = m_data.ComposeSearchIndex(); }
    bool insertRow(CRsMp3s &rs);
    bool updateRow(CRsMp3s &rs);

    CKivMp3Data m_data;
    CKivMp3ImportData m_import;
    CKivMedium *m_medium = nullptr;
    QString m_volumeFile;   // export-volume file of an item read from an export file
    int m_listMark = 0;
    int m_status = 8;
    bool m_marked = false;
    bool m_deleted = false;
    bool m_ratingFromFile = false;  // rating is the default of a newly found file, not the user's
};
