#include "mp3/item/Mp3Item.h"

#include "core/UserInterface.h"
#include "catalog/RsFolder.h"
#include "catalog/RsImport.h"
#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/MpegAudioInfo.h"
#include "mp3/item/Mp3ArchiveRecord.h"
#include "mp3/item/Mp3FileOps.h"
#include "mp3/item/Mp3Row.h"
#include "mp3/item/Mp3Status.h"
#include "mp3/item/SizeText.h"

#include <limits>

namespace {

constexpr int kNotStored = -1;
// What the technical columns hold for a file whose tag alone was read.
constexpr int kTagOnly = -1;

qint32 clampedFileSize(qint64 size)
{
    return size > std::numeric_limits<qint32>::max() ? std::numeric_limits<qint32>::max() : qint32(size);
}

} // namespace

// --- creation

CKivMp3::Ptr CKivMp3::FromRow(CKivMedium *medium, CRsMp3s &rs)
{
    auto item = std::make_shared<CKivMp3>();
    item->m_medium = medium;
    if (!rs.IsOpen() || rs.IsEOF()) {
        kivUi().showMessage(QStringLiteral("Beim Erstellen eines Mp3 Objektes ist ein Fehler\naufgetreten. Es wurde "
                                           "ein geschlossenes Recordset\nübergeben !"),
                            QStringLiteral("CKivMp3 - Fehler beim Erstellen"), KivIcon::Exclamation);
        return item;
    }
    item->m_data = KivMp3Row::Read(rs);
    if (item->m_data.m_ImportID != 0) {
        if (const auto import = KivMp3Row::ReadImport(rs.database(), item->m_data.m_ImportID))
            item->m_import = *import;
    }
    return item;
}

CKivMp3::Ptr CKivMp3::FromRequestedRow(CKivMedium *medium, CRsMp3s &rs, int listMark, const QString &destMedium,
                                       const QString &destSubPath, const QString &destFilename)
{
    Ptr item = FromRow(medium, rs);
    item->m_listMark = listMark;
    item->m_import.m_DestMedium = destMedium;
    item->m_import.m_DestSubPath = destSubPath;
    item->m_import.m_DestFilename = destFilename;
    return item;
}

CKivMp3::Ptr CKivMp3::FromExportedRow(CKivMedium *medium, CRsMp3s &rs, int listMark, const QString &volumeFile)
{
    Ptr item = FromRow(medium, rs);
    item->m_listMark = listMark;
    item->m_volumeFile = volumeFile;
    return item;
}

CKivMp3::Ptr CKivMp3::FromRow(CKivMedium *medium, CKivMp3Data data, CKivMp3ImportData import)
{
    auto item = std::make_shared<CKivMp3>();
    item->m_medium = medium;
    item->m_data = std::move(data);
    if (item->m_data.m_ImportID != 0)
        item->m_import = std::move(import);
    return item;
}

CKivMp3::Ptr CKivMp3::FromRequestedRow(CKivMedium *medium, CKivMp3Data data, CKivMp3ImportData import,
                                       int listMark, const QString &destMedium, const QString &destSubPath,
                                       const QString &destFilename)
{
    Ptr item = FromRow(medium, std::move(data), std::move(import));
    item->m_listMark = listMark;
    item->m_import.m_DestMedium = destMedium;
    item->m_import.m_DestSubPath = destSubPath;
    item->m_import.m_DestFilename = destFilename;
    return item;
}

CKivMp3::Ptr CKivMp3::FromExportedRow(CKivMedium *medium, CKivMp3Data data, CKivMp3ImportData import,
                                      int listMark, const QString &volumeFile)
{
    Ptr item = FromRow(medium, std::move(data), std::move(import));
    item->m_listMark = listMark;
    item->m_volumeFile = volumeFile;
    return item;
}

CKivMp3::Ptr CKivMp3::FromFile(CKivMedium *medium, const QString &subPath, const QString &filename, bool quick)
{
    return fromFile(medium, subPath, filename, quick, [quick](const QString &path, CMpegAudioInfo &info) {
        return quick ? info.ReadTag(path) : info.Analyze(path);
    });
}

CKivMp3::Ptr CKivMp3::FromAnalysis(CKivMedium *medium, const QString &subPath, const QString &filename, bool quick,
                                   bool opened, const CMpegAudioInfo &info)
{
    return fromFile(medium, subPath, filename, quick, [&](const QString &, CMpegAudioInfo &result) {
        result = info;
        return opened;
    });
}

CKivMp3::Ptr CKivMp3::fromFile(CKivMedium *medium, const QString &subPath, const QString &filename, bool quick,
                               const std::function<bool(const QString &, CMpegAudioInfo &)> &analyse)
{
    auto item = std::make_shared<CKivMp3>();
    item->m_medium = medium;
    item->m_ratingFromFile = true;
    CKivMp3Data &d = item->m_data;
    d.m_Mediumname = medium ? medium->GetName() : QString();
    d.m_SubPath = subPath;
    d.m_Filename = filename;
    if (item->IsOnline()) {
        CMpegAudioInfo info;
        const QString path = item->FullPath();
        if (analyse(path, info)) {
            item->takeAnalysis(info, quick);
        } else {
            kivUi().showMessage(QStringLiteral("Beim Versuch die Mp3 Datei: ") + path
                                    + QStringLiteral(" zu öffnen ist ein Fehler aufgetreten !"),
                                QStringLiteral("Mp3 kann nicht geöffnet werden !"), KivIcon::Information);
        }
    }
    item->rebuildSearchIndex();
    return item;
}

CKivMp3::Ptr CKivMp3::FromArchiveRecord(CKivMedium *medium, const QByteArray &record)
{
    std::optional<CKivMp3Data> data = KivMp3ArchiveRecord::Read(record);
    if (!data)
        return nullptr;
    auto item = std::make_shared<CKivMp3>();
    item->m_medium = medium;
    item->m_data = *data;
    // The items of an archive belong to the medium it is imported as, whatever name the record has.
    item->m_data.m_Mediumname = medium ? medium->GetName() : QString();
    item->rebuildSearchIndex();
    return item;
}

void CKivMp3::takeAnalysis(const CMpegAudioInfo &info, bool quick)
{
    CKivMp3Data &d = m_data;
    d.m_Anlegedatum = QDateTime::currentDateTime();
    d.m_Title = info.GetTitle();
    d.m_Artist = info.GetArtist();
    d.m_Album = info.GetAlbum();
    d.m_Year = info.GetYear();
    d.m_Comment = info.GetComment();
    d.m_TrackNr = info.GetTrack();
    d.m_Genre = info.GetGenre();
    d.m_GenreName = info.GetGenreName();
    d.m_ArtistID = -1;
    d.m_FileSize = clampedFileSize(info.GetFileSize());
    if (quick) {
        d.m_Frames = d.m_Length = d.m_MpegVersion = d.m_MpegLayer = d.m_HasCRC = kTagOnly;
        d.m_BitRate = d.m_SampleRate = d.m_Emphasis = d.m_Copyright = d.m_Original = kTagOnly;
        d.m_Validity = kTagOnly;
        d.m_ChannelMode = 0;
        return;
    }
    d.m_Frames = info.GetFrameCount();
    d.m_Length = info.GetLength();
    d.m_MpegVersion = info.GetVersion();
    d.m_MpegLayer = info.GetLayer();
    d.m_HasCRC = info.GetCrc();
    d.m_BitRate = info.GetBitRate();
    d.m_SampleRate = info.GetSampleRate();
    d.m_ChannelMode = info.GetChannelMode();
    d.m_Emphasis = info.GetEmphasis();
    d.m_Copyright = info.GetCopyright();
    d.m_Original = info.GetOriginal();
    d.m_Validity = info.GetFlags();
}

// --- queries

QString CKivMp3::FolderPath() const
{
    if (!m_medium)
        return QString();
    return KivMp3FileOps::Join(m_medium->GetRoot(), KivMp3FileOps::LocalPath(m_data.m_SubPath));
}

QString CKivMp3::FullPath() const
{
    if (!m_medium)
        return QString();
    return KivMp3FileOps::Join(FolderPath(), m_data.m_Filename);
}

int CKivMp3::MediumState() const
{
    return m_medium ? m_medium->GetState() : KivMp3Status::NoMedium;
}

bool CKivMp3::IsOnline() const
{
    return MediumState() == CKivMedium::Online;
}

QString CKivMp3::LengthText() const
{
    return m_data.m_Length == kTagOnly ? QString() : CMpegAudioInfo::LengthText(m_data.m_Length);
}

QString CKivMp3::VersionText() const
{
    return m_data.m_Length == kTagOnly ? QString() : CMpegAudioInfo::VersionText(m_data.m_MpegVersion);
}

QString CKivMp3::ChannelModeText() const
{
    return m_data.m_Length == kTagOnly ? QString() : CMpegAudioInfo::ChannelModeText(m_data.m_ChannelMode);
}

QString CKivMp3::EmphasisText() const
{
    return m_data.m_Length == kTagOnly ? QString() : CMpegAudioInfo::EmphasisText(m_data.m_Emphasis);
}

QString CKivMp3::SizeText() const
{
    return KivSizeText::Format(m_data.m_FileSize);
}

int CKivMp3::StatusCode(const CKivMedienListe *media)
{
    int sourceState = KivMp3Status::NoMedium;
    if (m_data.m_ImportID != 0 && m_listMark == 0 && media) {
        if (const CKivMedium *source = media->FindMedium(m_import.m_SourceMedium))
            sourceState = source->GetState();
    }
    m_status = KivMp3Status::Compute(m_marked, m_data.m_ImportID, m_listMark, sourceState, MediumState(),
                                     m_data.m_ID);
    return m_status;
}

QByteArray CKivMp3::ArchiveRecord() const
{
    return KivMp3ArchiveRecord::Fill(m_data);
}

// --- marks

bool CKivMp3::MarkIfInside(const QString &mediumName, const QString &subPath, const QString &filename)
{
    if (mediumName != m_data.m_Mediumname)
        return false;
    const bool inside = filename.isEmpty() ? m_data.m_SubPath.startsWith(subPath)
                                           : m_data.m_SubPath == subPath && m_data.m_Filename == filename;
    if (inside)
        m_marked = true;
    return inside;
}

bool CKivMp3::ClearMarkById(int id, const QString &subPath, const QString &filename)
{
    if (id != m_data.m_ID)
        return false;
    m_data.m_SubPath = subPath;
    m_data.m_Filename = filename;
    m_marked = false;
    rebuildSearchIndex();
    return true;
}

bool CKivMp3::MovePrefix(const QString &mediumName, const QString &oldPrefix, const QString &newPrefix)
{
    if (mediumName != m_data.m_Mediumname || !m_data.m_SubPath.startsWith(oldPrefix))
        return false;
    m_data.m_SubPath = newPrefix + m_data.m_SubPath.mid(oldPrefix.size());
    m_marked = false;
    rebuildSearchIndex();
    return true;
}

// --- catalog changes

bool CKivMp3::SetRating(int rating, CKivDatabase &db)
{
    if (rating < 1 || rating > 5)
        return false;
    const CKivMp3Data old = m_data;
    const bool oldFromFile = m_ratingFromFile;
    m_data.m_Bewertung = rating;
    m_ratingFromFile = false;
    if (Save(db))
        return true;
    m_data = old;
    m_ratingFromFile = oldFromFile;
    return false;
}

bool CKivMp3::SetLocation(CKivMedium *medium, const QString &subPath, const QString &filename, CKivDatabase &db)
{
    if (!medium)
        return false;
    CRsFolder folders(db);
    const qint32 folderId = folders.GetOrCreateFolder(medium->GetName(), subPath, false);
    if (folderId < 0)
        return false;
    const CKivMp3Data old = m_data;
    CKivMedium *const oldMedium = m_medium;
    // The name follows the medium: a row naming one medium for a file on another could never be
    // found again.
    m_medium = medium;
    m_data.m_Mediumname = medium->GetName();
    m_data.m_SubPath = subPath;
    m_data.m_Filename = filename;
    m_data.m_FolderID = folderId;
    if (Save(db))
        return true;
    m_data = old;
    m_medium = oldMedium;
    return false;
}

bool CKivMp3::RegisterAtDestination(CKivMedium *destMedium, const QString &destSubPath, const QString &destFilename,
                                    bool asImport, CKivDatabase &db)
{
    if (!destMedium)
        return false;
    const QString destName = destMedium->GetName();
    CRsFolder folders(db);
    const qint32 folderId = folders.GetOrCreateFolder(destName, destSubPath, asImport);
    if (folderId < 0)
        return false;

    const CKivMp3Data old = m_data;
    const CKivMp3ImportData oldImport = m_import;
    CKivMedium *const oldMedium = m_medium;
    qint32 importId = 0;
    if (asImport) {
        CRsMp3s existing(db);
        if (existing.OpenByKey(CKivMp3Data::Key(destName, destSubPath, destFilename))) {
            existing.Close();
            kivUi().showMessage(QStringLiteral("Die Datei: ") + destFilename + QStringLiteral(" kann nicht nach: (")
                                    + destName + QLatin1Char(')') + destSubPath
                                    + QStringLiteral(" importiert werden,\nda schon eine Datei mit dem selben "
                                                     "Namen exsistiert !"),
                                QStringLiteral("Warnung !"), KivIcon::Exclamation);
            return false;
        }
        if (!existing.lastError().isEmpty())
            return false;
        CRsImport imports(db);
        importId = imports.AddImport(m_data.m_Mediumname, m_data.m_SubPath, m_data.m_Filename, destName, destSubPath,
                                     destFilename);
        if (importId < 0)
            return false;
        m_import = {m_data.m_Mediumname, m_data.m_SubPath, m_data.m_Filename, destName, destSubPath, destFilename};
        m_data.m_ImportID = importId;
    }
    m_medium = destMedium;
    m_data.m_Mediumname = destName;
    m_data.m_FolderID = folderId;
    m_data.m_SubPath = destSubPath;
    m_data.m_Filename = destFilename;
    m_data.m_ID = kNotStored;
    if (Save(db))
        return true;
    if (importId > 0)
        KivMp3Row::DeleteImport(db, importId);
    m_data = old;
    m_import = oldImport;
    m_medium = oldMedium;
    return false;
}

// --- storing

void CKivMp3::AdoptStoredRow(int id, const QDateTime &anlegedatum, int bewertung)
{
    m_data.m_ID = id;
    m_data.m_Anlegedatum = anlegedatum;
    if (m_ratingFromFile && bewertung >= 1 && bewertung <= 5)
        m_data.m_Bewertung = bewertung;
    m_ratingFromFile = false;
}

bool CKivMp3::Save(CKivDatabase &db)
{
    CRsMp3s rs(db);
    return Save(rs);
}

bool CKivMp3::Save(CRsMp3s &rs)
{
    rebuildSearchIndex();
    bool found = false;
    if (m_data.m_ID != kNotStored) {
        found = rs.OpenById(m_data.m_ID);
        if (!found && !rs.lastError().isEmpty())
            return false;
    }
    // Unknown ID, or its row is gone: the key finds the file's row if it has one, so the catalog never
    // gets a second row for the same file.
    if (!found) {
        found = rs.OpenByKey(m_data.Key());
        if (!found && !rs.lastError().isEmpty())
            return false;
        if (found)
            AdoptStoredRow(rs.m_ID, rs.m_Anlegedatum, rs.m_Bewertung);
    }
    const bool saved = found ? updateRow(rs) : insertRow(rs);
    rs.Close();
    if (saved)
        m_ratingFromFile = false;
    return saved;
}

bool CKivMp3::updateRow(CRsMp3s &rs)
{
    if (!rs.Edit())
        return false;
    KivMp3Row::Write(m_data, rs, false);
    return rs.Update();
}

bool CKivMp3::insertRow(CRsMp3s &rs)
{
    const QDateTime oldDate = m_data.m_Anlegedatum;
    m_data.m_Anlegedatum = QDateTime::currentDateTime();
    rs.AddNew();
    KivMp3Row::Write(m_data, rs, true);
    if (!rs.Update()) {
        m_data.m_Anlegedatum = oldDate;
        return false;
    }
    m_data.m_ID = rs.m_ID;
    return true;
}
