// The operations of CKivMp3 that touch the file on disk: tag changes, rename, the pending import
// and the copy into an export volume.
#include "mp3/item/Mp3Item.h"

#include "core/UserInterface.h"
#include "catalog/Mp3sRowUpdate.h"
#include "catalog/RsFolder.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/MpegAudioInfo.h"
#include "mp3/item/Mp3FileOps.h"
#include "mp3/item/Mp3Row.h"

#include <QFile>
#include <QFileInfo>

namespace {

void reportMissingSource(const QString &sourceFilename)
{
    kivUi().showMessage(QStringLiteral("Die Datei: ") + sourceFilename
                            + QStringLiteral(" kann nicht Importiert werden, da sie entweder\ngelöscht oder "
                                             "verschoben wurde."),
                        QStringLiteral("Datei nicht gefunden !"), KivIcon::Exclamation);
}

// A name that stays inside its folder: no separator of either kind, no zero character.
bool isPlainFileName(const QString &name)
{
    return !name.isEmpty() && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'))
        && !name.contains(QChar(0));
}

// A change of a stored item written as one update of the columns that differ from its values
// before; nothing when the item has no stored row, its row is gone or nothing differs (the caller
// then saves it whole).
std::optional<bool> updateChangedColumns(CKivDatabase &db, const CKivMp3Data &before, const CKivMp3Data &now)
{
    if (now.m_ID == -1)
        return std::nullopt;
    // The row holds what the item held before, with its key and search text composed as a save
    // composes them.
    switch (KivMp3sRowUpdate::Run(db, now.m_ID, before.StoredRow(), now.StoredRow())) {
    case KivMp3sRowUpdate::Result::Updated:
        return true;
    case KivMp3sRowUpdate::Result::Failed:
        return false;
    case KivMp3sRowUpdate::Result::Unchanged:
    case KivMp3sRowUpdate::Result::NoRow:
        break;
    }
    return std::nullopt;
}

} // namespace

// --- tag changes

bool CKivMp3::writeTagToFile() const
{
    if (!IsOnline())
        return false;
    const QString path = FullPath();
    CMpegAudioInfo info;
    if (!info.ReadTag(path))
        return false;
    info.SetTitle(m_data.m_Title);
    info.SetArtist(m_data.m_Artist);
    info.SetAlbum(m_data.m_Album);
    info.SetTrack(m_data.m_TrackNr);
    info.SetYear(m_data.m_Year);
    info.SetComment(m_data.m_Comment);
    info.SetGenre(m_data.m_Genre);
    info.SetGenreName(m_data.m_GenreName);
    return info.WriteTag(path);
}

std::optional<CKivMp3Data> CKivMp3::WriteTagFile(const std::function<void(CKivMp3Data &)> &apply)
{
    if (!IsOnline())
        return std::nullopt;
    CKivMp3Data old = m_data;
    apply(m_data);
    if (!writeTagToFile()) {
        m_data = std::move(old);
        return std::nullopt;
    }
    rebuildSearchIndex();
    return old;
}

bool CKivMp3::changeTag(CKivDatabase &db, const std::function<void(CKivMp3Data &)> &apply)
{
    const std::optional<CKivMp3Data> old = WriteTagFile(apply);
    if (!old)
        return false;
    if (WriteRow(*old, db))
        return true;
    // The row refused the change: the file gets its old tag back, so both still agree.
    TakeBack(*old);
    return false;
}

bool CKivMp3::SetTitle(const QString &title, CKivDatabase &db)
{
    return changeTag(db, [&](CKivMp3Data &d) { d.m_Title = title; });
}

bool CKivMp3::SetArtist(const QString &artist, CKivDatabase &db)
{
    return changeTag(db, [&](CKivMp3Data &d) { d.m_Artist = artist; });
}

bool CKivMp3::SetAlbum(const QString &album, CKivDatabase &db)
{
    return changeTag(db, [&](CKivMp3Data &d) { d.m_Album = album; });
}

bool CKivMp3::SetComment(const QString &comment, CKivDatabase &db)
{
    return changeTag(db, [&](CKivMp3Data &d) { d.m_Comment = comment; });
}

bool CKivMp3::SetYear(const QString &year, CKivDatabase &db)
{
    return changeTag(db, [&](CKivMp3Data &d) { d.m_Year = year; });
}

bool CKivMp3::SetTrackNr(int track, CKivDatabase &db)
{
    const int clamped = track < 0 ? 0 : (track > 255 ? 255 : track);
    return changeTag(db, [&](CKivMp3Data &d) { d.m_TrackNr = clamped; });
}

bool CKivMp3::SetGenreByName(const QString &name, CKivDatabase &db)
{
    const int genre = CMpegAudioInfo::GenreByName(name);
    if (genre < 0)
        return false;
    return changeTag(db, [&](CKivMp3Data &d) {
        d.m_Genre = genre;
        d.m_GenreName = name;
    });
}

// --- rename

std::optional<CKivMp3Data> CKivMp3::RenameFile(const QString &newName)
{
    if (!IsOnline() || !isPlainFileName(newName))
        return std::nullopt;
    QString name = newName;
    if (name.right(4).toLower() != QLatin1String(".mp3"))
        name += QLatin1String(".mp3");
    const QString folder = FolderPath();
    const std::optional<QString> used = KivMp3FileOps::RenameKeeping(FullPath(), folder, name);
    if (!used || !KivMp3FileOps::IsFile(KivMp3FileOps::Join(folder, *used)))
        return std::nullopt;
    CKivMp3Data old = m_data;
    m_data.m_Filename = *used;
    rebuildSearchIndex();
    return old;
}

std::optional<QString> CKivMp3::Rename(const QString &newName, CKivDatabase &db)
{
    const std::optional<CKivMp3Data> old = RenameFile(newName);
    if (!old)
        return std::nullopt;
    if (WriteRow(*old, db))
        return m_data.m_Filename;
    // The row keeps the old name (another row may hold the new key): so does the file.
    TakeBack(*old);
    return std::nullopt;
}

// --- rows written apart from the file step

bool CKivMp3::WriteRow(const CKivMp3Data &before, CKivDatabase &db)
{
    const std::optional<bool> updated = updateChangedColumns(db, before, m_data);
    if (updated.value_or(false)) {
        m_ratingFromFile = false;
        return true;
    }
    return !updated.has_value() && Save(db);
}

void CKivMp3::TakeBack(const CKivMp3Data &before)
{
    if (m_data.m_Filename != before.m_Filename) {
        const QString folder = FolderPath();
        KivMp3FileOps::RenameKeeping(KivMp3FileOps::Join(folder, m_data.m_Filename), folder, before.m_Filename);
    }
    const bool tagChanged = m_data.m_Title != before.m_Title || m_data.m_Artist != before.m_Artist
                         || m_data.m_Album != before.m_Album || m_data.m_Year != before.m_Year
                         || m_data.m_Comment != before.m_Comment || m_data.m_TrackNr != before.m_TrackNr
                         || m_data.m_Genre != before.m_Genre || m_data.m_GenreName != before.m_GenreName;
    m_data = before;
    if (tagChanged)
        writeTagToFile();
}

// --- pending import and export

bool CKivMp3::ExecuteImport(const CKivMedienListe *media, CKivDatabase &db)
{
    const std::optional<QString> copy = CopyImportFile(media);
    if (!copy)
        return false;
    if (RecordImport(*copy, db))
        return true;
    // The row still waits for the import: take the copy back so it can be done again.
    QFile::remove(*copy);
    return false;
}

std::optional<QString> CKivMp3::CopyImportFile(const CKivMedienListe *media) const
{
    if (m_data.m_ImportID == 0)
        return std::nullopt;
    QString source;
    QString sourceFilename;
    if (m_listMark != 0) {
        // Delivered in an export volume: the file there takes the place of the friend's medium.
        if (m_volumeFile.isEmpty())
            return std::nullopt;
        source = m_volumeFile;
        sourceFilename = QFileInfo(m_volumeFile).fileName();
    } else {
        const CKivMedium *sourceMedium = media ? media->FindMedium(m_import.m_SourceMedium) : nullptr;
        if (!sourceMedium || sourceMedium->GetState() != CKivMedium::Online)
            return std::nullopt;
        source = KivMp3FileOps::Join(KivMp3FileOps::Join(sourceMedium->GetRoot(),
                                                         KivMp3FileOps::LocalPath(m_import.m_SourceSubPath)),
                                     m_import.m_SourceFilename);
        sourceFilename = m_import.m_SourceFilename;
    }
    if (!IsOnline())
        return std::nullopt;
    if (!KivMp3FileOps::IsFile(source)) {
        reportMissingSource(sourceFilename);
        return std::nullopt;
    }
    const QString folder = FolderPath();
    if (!KivMp3FileOps::MakeFolders(folder))
        return std::nullopt;
    const std::optional<QString> used = KivMp3FileOps::CopyKeeping(source, folder, m_data.m_Filename);
    if (!used)
        return std::nullopt;
    return KivMp3FileOps::Join(folder, *used);
}

bool CKivMp3::RecordImport(const QString &copy, CKivDatabase &db)
{
    if (m_data.m_ImportID == 0)
        return false;
    const CKivMp3Data old = m_data;
    const CKivMp3ImportData oldImport = m_import;
    const int importId = m_data.m_ImportID;
    m_data.m_Filename = QFileInfo(copy).fileName();
    m_data.m_ImportID = 0;
    m_import = CKivMp3ImportData();
    CRsFolder folders(db);
    const qint32 folderId = folders.GetOrCreateFolder(m_data.m_Mediumname, m_data.m_SubPath, false);
    if (folderId >= 0) {
        m_data.m_FolderID = folderId;
        if (Save(db)) {
            // The import is done: its Import row goes, so nothing waits for it any more.
            KivMp3Row::DeleteImport(db, importId);
            m_listMark = 0;
            m_volumeFile.clear();
            return true;
        }
    }
    m_data = old;
    m_import = oldImport;
    return false;
}

std::optional<QString> CKivMp3::CopyToExportVolume(const QString &volumeFolder)
{
    if (!IsOnline() || volumeFolder.isEmpty())
        return std::nullopt;
    const QString source = FullPath();
    if (!KivMp3FileOps::IsFile(source)) {
        reportMissingSource(m_data.m_Filename);
        return std::nullopt;
    }
    const QString folder = KivMp3FileOps::Join(volumeFolder, KivMp3FileOps::LocalPath(m_data.m_SubPath));
    if (!KivMp3FileOps::MakeFolders(folder))
        return std::nullopt;
    return KivMp3FileOps::CopyKeeping(source, folder, m_data.m_Filename);
}
