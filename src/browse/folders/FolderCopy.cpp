// Copying folders and files to another medium: from an online medium the files are copied and
// catalogued at the target; from an offline medium nothing is copied and every MP3 is registered
// at the target as a pending import.
#include "browse/folders/FolderOps.h"

#include "browse/folders/FolderDisk.h"
#include "browse/folders/FoldersLog.h"
#include "catalog/RsFolder.h"
#include "catalog/RsMp3s.h"
#include "catalog/Transaction.h"
#include "media/Medium.h"
#include "mp3/item/Mp3FileOps.h"

#include <QDir>
#include <QFile>
#include <QHash>

namespace {

// The split of a catalog path "Alt\Song.mp3" into "Alt\" and "Song.mp3".
std::pair<QString, QString> splitPath(const QString &path)
{
    const qsizetype cut = path.lastIndexOf(QLatin1Char('\\')) + 1;
    return {path.left(cut), path.mid(cut)};
}

} // namespace

CKivFolderOps::Result CKivFolderOps::Copy(const CKivFolderEntry::Ptr &source, const CKivFolderEntry::Ptr &target)
{
    if (!source || !target || !source->GetMedium() || !target->GetMedium()
        || source->GetMedium() == target->GetMedium()) {
        TellInvalidOperation();
        return {};
    }
    const int kind = source->GetKind();
    const int targetKind = target->GetKind();
    if ((kind == CKivFolderEntry::DiskFolder || kind == CKivFolderEntry::DiskFile) && source->IsMediumOnline()
        && isOnlineFolder(*target))
        return copyFromDisk(source, target);
    const bool catalogTarget = targetKind == CKivFolderEntry::Medium || targetKind == CKivFolderEntry::DiskFolder
                            || targetKind == CKivFolderEntry::CatalogFolder
                            || targetKind == CKivFolderEntry::ImportFolder;
    if ((kind == CKivFolderEntry::CatalogFolder || kind == CKivFolderEntry::CatalogFile) && catalogTarget)
        return copyFromCatalog(source, target);
    TellInvalidOperation();
    return {};
}

bool CKivFolderOps::isOnlineFolder(const CKivFolderEntry &entry)
{
    return entry.IsMediumOnline()
        && (entry.GetKind() == CKivFolderEntry::Medium || entry.GetKind() == CKivFolderEntry::DiskFolder);
}

CKivFolderOps::Result CKivFolderOps::copyFromDisk(const CKivFolderEntry::Ptr &source,
                                                  const CKivFolderEntry::Ptr &target)
{
    CKivMedium *const from = source->GetMedium();
    CKivMedium *const to = target->GetMedium();
    const QString into = target->ContentFolder();
    const QString targetSubPath = target->GetSubPath();

    // The copy on disk: the catalog paths of its MP3s below the target folder.
    QStringList copied;
    QString removeOnFailure;
    QString newSubPath;
    QString newFilename;
    if (source->IsFolder()) {
        const std::optional<QString> used = KivFolderDisk::CopyFolder(source->GetFullPath(), into, source->GetName(),
                                                                      &copied);
        if (!used) {
            TellInvalidOperation();
            return {};
        }
        newSubPath = targetSubPath + *used + QLatin1Char('\\');
        removeOnFailure = KivMp3FileOps::Join(into, *used);
    } else {
        const std::optional<QString> used = KivMp3FileOps::CopyKeeping(source->GetFullPath(), into,
                                                                       source->GetFileName());
        if (!used) {
            TellInvalidOperation();
            return {};
        }
        newSubPath = targetSubPath;
        newFilename = *used;
        copied << *used;
        removeOnFailure = KivMp3FileOps::Join(into, *used);
    }

    // The source's catalog rows by their path below the source, so the copies keep tags and rating.
    QHash<QString, CKivMp3::Ptr> known;
    CRsMp3s rs(m_db);
    if (source->IsFolder()) {
        const QString prefix = source->GetSubPath();
        if (rs.OpenByMediumSubPath(from->GetName(), prefix, false)) {
            for (; !rs.IsEOF(); rs.MoveNext()) {
                if (rs.m_SubPath.startsWith(prefix) && rs.m_ImportID == 0)
                    known.insert(rs.m_SubPath.mid(prefix.size()) + rs.m_Filename, CKivMp3::FromRow(from, rs));
            }
            rs.Close();
        }
    } else if (rs.OpenByKey(source->Key())) {
        known.insert(newFilename, CKivMp3::FromRow(from, rs));
        rs.Close();
    }

    bool stored = false;
    {
        CKivTransaction transaction(m_db);
        stored = transaction.IsActive();
        for (const QString &path : std::as_const(copied)) {
            if (!stored)
                break;
            const auto [relFolder, filename] = splitPath(path);
            const QString subPath = source->IsFolder() ? newSubPath + relFolder : newSubPath;
            const CKivMp3::Ptr row = known.value(source->IsFolder() ? path : newFilename);
            if (row) {
                stored = row->RegisterAtDestination(to, subPath, filename, false, m_db);
            } else {
                // A file the catalog did not know yet is catalogued as a scan would.
                const CKivMp3::Ptr item = CKivMp3::FromFile(to, subPath, filename, false);
                CRsFolder folders(m_db);
                const qint32 folderId = folders.GetOrCreateFolder(to->GetName(), subPath, false);
                item->SetFolderID(folderId);
                stored = folderId >= 0 && item->Save(m_db);
            }
        }
        stored = stored && transaction.Commit();
    }
    if (!stored) {
        if (source->IsFolder())
            QDir(removeOnFailure).removeRecursively();
        else
            QFile::remove(removeOnFailure);
        TellInvalidOperation();
        return {};
    }
    Result result;
    if (source->IsFolder())
        result.entry = CKivFolderEntry::FromDisk(to, targetSubPath, newSubPath.chopped(1).mid(targetSubPath.size()),
                                                 true, 0, QDateTime::currentDateTime(), target->GetImageBase());
    else
        result.entry = CKivFolderEntry::FromDisk(to, newSubPath, newFilename, false, source->GetFileSize(),
                                                 QDateTime::currentDateTime(), target->GetImageBase());
    result.changes = {CKivFolderChange::added(result.entry)};
    result.ok = true;
    return result;
}

CKivFolderOps::Result CKivFolderOps::copyFromCatalog(const CKivFolderEntry::Ptr &source,
                                                     const CKivFolderEntry::Ptr &target)
{
    CKivMedium *const from = source->GetMedium();
    CKivMedium *const to = target->GetMedium();
    const QString targetSubPath = target->GetSubPath();

    // Every MP3 of the source as the catalog knows it, with the sub-path it gets at the target.
    std::vector<std::pair<CKivMp3::Ptr, QString>> files;
    const QString top = source->IsFolder() ? targetSubPath + source->GetName() + QLatin1Char('\\') : targetSubPath;
    CRsMp3s rs(m_db);
    if (source->IsFolder()) {
        const QString prefix = source->GetSubPath();
        if (rs.OpenByMediumSubPath(from->GetName(), prefix, false)) {
            for (; !rs.IsEOF(); rs.MoveNext()) {
                // Pending imports have no file at the source to fetch.
                if (rs.m_SubPath.startsWith(prefix) && rs.m_ImportID == 0)
                    files.emplace_back(CKivMp3::FromRow(from, rs), top + rs.m_SubPath.mid(prefix.size()));
            }
            rs.Close();
        }
    } else if (rs.OpenByKey(source->Key())) {
        if (rs.m_ImportID == 0)
            files.emplace_back(CKivMp3::FromRow(from, rs), top);
        rs.Close();
    }
    if (rs.lastOpenFailedInDatabase() || (!source->IsFolder() && files.empty())) {
        TellInvalidOperation();
        return {};
    }

    Result result;
    bool stored = false;
    {
        CKivTransaction transaction(m_db);
        stored = transaction.IsActive();
        qint32 folderId = -1;
        if (stored && source->IsFolder()) {
            CRsFolder folders(m_db);
            folderId = folders.GetOrCreateFolder(to->GetName(), top, true);
            stored = folderId >= 0;
        }
        for (const auto &[item, subPath] : files) {
            if (!stored)
                break;
            stored = item->RegisterAtDestination(to, subPath, item->GetFilename(), true, m_db);
        }
        if (stored && source->IsFolder()) {
            CRsFolder folders(m_db);
            const bool importFolder = folders.OpenById(folderId) && folders.m_IsImportFolder != 0;
            folders.Close();
            result.entry = CKivFolderEntry::FromCatalogFolder(to, top, folderId, importFolder, target->GetImageBase());
        } else if (stored) {
            const CKivMp3::Ptr &item = files.front().first;
            result.entry = CKivFolderEntry::FromCatalogFile(to, top, item->GetFilename(), item->GetID(),
                                                            item->GetFileSize(), item->GetAnlegedatum(),
                                                            item->GetImportID(), target->GetImageBase());
        }
        stored = stored && transaction.Commit();
    }
    if (!stored) {
        TellInvalidOperation();
        return {};
    }
    result.changes = {CKivFolderChange::added(result.entry)};
    result.ok = true;
    return result;
}
