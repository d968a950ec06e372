#include "browse/folders/FolderOps.h"

#include "core/UserInterface.h"
#include "browse/Mp3Liste.h"
#include "browse/folders/FolderCatalog.h"
#include "browse/folders/FolderDisk.h"
#include "browse/folders/FoldersLog.h"
#include "catalog/RsFolder.h"
#include "catalog/Transaction.h"
#include "media/Medium.h"
#include "mp3/item/Mp3FileOps.h"

#include <QDir>
#include <QFileInfo>

namespace {

bool isTargetFolder(const CKivFolderEntry &entry)
{
    return entry.GetKind() == CKivFolderEntry::Medium || entry.GetKind() == CKivFolderEntry::DiskFolder;
}

bool sameMedium(const CKivFolderEntry &a, const CKivFolderEntry &b)
{
    return a.GetMedium() && a.GetMedium() == b.GetMedium();
}

CKivFolderEntry::Ptr copyOf(const CKivFolderEntry::Ptr &entry)
{
    return std::make_shared<CKivFolderEntry>(*entry);
}

} // namespace

CKivFolderOps::CKivFolderOps(CKivDatabase &db, std::vector<CKivMp3Liste *> lists)
    : m_db(db)
    , m_lists(std::move(lists))
{
}

void CKivFolderOps::TellInvalidOperation()
{
    kivUi().showMessage(QStringLiteral("Sie haben versucht eine ungültige Dateioperation\ndurchzuführen. Der Vorgang "
                                       "wird abgebrochen."),
                        QStringLiteral("Warnung !"), KivIcon::Exclamation);
}

void CKivFolderOps::applyToLists(const std::vector<CKivFolderChange> &changes) const
{
    for (CKivMp3Liste *list : m_lists) {
        if (!list)
            continue;
        for (const CKivFolderChange &change : changes)
            change.ApplyTo(list->GetItems());
    }
}

// --- move

CKivFolderOps::Result CKivFolderOps::Move(const CKivFolderEntry::Ptr &source, const CKivFolderEntry::Ptr &target)
{
    const bool movable = source && target && sameMedium(*source, *target) && source->IsMediumOnline()
                      && isTargetFolder(*target)
                      && (source->GetKind() == CKivFolderEntry::DiskFolder
                          || source->GetKind() == CKivFolderEntry::DiskFile);
    // A folder cannot go into itself or below itself.
    if (!movable
        || (source->GetKind() == CKivFolderEntry::DiskFolder && target->GetSubPath().startsWith(source->GetSubPath()))) {
        TellInvalidOperation();
        return {};
    }
    Result result = source->IsFolder() ? moveFolder(source, target) : moveFile(source, target);
    if (result.ok)
        applyToLists(result.changes);
    return result;
}

CKivFolderOps::Result CKivFolderOps::moveFolder(const CKivFolderEntry::Ptr &source, const CKivFolderEntry::Ptr &target)
{
    const QString mediumName = source->GetMediumName();
    const QString oldSubPath = source->GetSubPath();
    const QString from = KivFolderDisk::WithoutSlash(source->GetFullPath());
    const QString fromFolder = KivFolderDisk::ParentFolder(from);
    const QString name = source->GetName();
    const QString into = target->ContentFolder();

    const std::optional<QString> used = KivMp3FileOps::RenameKeeping(from, into, name);
    if (!used) {
        TellInvalidOperation();
        return {};
    }
    const QString newSubPath = target->GetSubPath() + *used + QLatin1Char('\\');
    Result result;
    result.entry = copyOf(source);
    result.entry->MoveTo(newSubPath, QString());
    if (newSubPath == oldSubPath) {
        result.ok = true;
        return result;
    }

    CKivTransaction transaction(m_db);
    if (!transaction.IsActive()
        || !KivFolderCatalog::MoveFolder(m_db, mediumName, oldSubPath, newSubPath, target->GetSubPath())
        || !transaction.Commit()) {
        // The catalog still describes the old place: so must the disk.
        if (!KivMp3FileOps::RenameKeeping(KivMp3FileOps::Join(into, *used), fromFolder, name))
            qCWarning(lcFolders) << "could not move" << *used << "back to" << from;
        TellInvalidOperation();
        return {};
    }
    CKivFolderChange removed = CKivFolderChange::removed(source);
    removed.moved = true;
    removed.newSubPath = newSubPath;
    result.changes = {removed, CKivFolderChange::added(result.entry)};
    result.ok = true;
    return result;
}

CKivFolderOps::Result CKivFolderOps::moveFile(const CKivFolderEntry::Ptr &source, const CKivFolderEntry::Ptr &target)
{
    const QString mediumName = source->GetMediumName();
    const QString from = source->GetFullPath();
    const QString fromFolder = source->ContentFolder();
    const QString into = target->ContentFolder();
    const QString newSubPath = target->GetSubPath();

    const std::optional<QString> used = KivMp3FileOps::RenameKeeping(from, into, source->GetFileName());
    if (!used) {
        TellInvalidOperation();
        return {};
    }
    Result result;
    result.entry = copyOf(source);
    result.entry->MoveTo(newSubPath, *used);
    if (newSubPath == source->GetSubPath() && *used == source->GetFileName()) {
        result.ok = true;
        return result;
    }

    CKivTransaction transaction(m_db);
    if (!transaction.IsActive()
        || !KivFolderCatalog::MoveFile(m_db, mediumName, source->GetSubPath(), source->GetFileName(), newSubPath,
                                       *used)
        || !transaction.Commit()) {
        if (!KivMp3FileOps::RenameKeeping(KivMp3FileOps::Join(into, *used), fromFolder, source->GetFileName()))
            qCWarning(lcFolders) << "could not move" << *used << "back to" << from;
        TellInvalidOperation();
        return {};
    }
    CKivFolderChange removed = CKivFolderChange::removed(source);
    removed.moved = true;
    removed.newSubPath = newSubPath;
    removed.newFilename = *used;
    result.changes = {removed, CKivFolderChange::added(result.entry)};
    result.ok = true;
    return result;
}

// --- new name

CKivFolderOps::Result CKivFolderOps::Rename(const CKivFolderEntry::Ptr &entry, const QString &newName)
{
    if (!entry)
        return {};
    if (entry->GetKind() == CKivFolderEntry::Medium && entry->GetMedium()) {
        // A stored medium keeps its name; the medium says so itself.
        entry->GetMedium()->SetName(newName);
        return {};
    }
    if (!entry->IsMediumOnline()
        || (entry->GetKind() != CKivFolderEntry::DiskFolder && entry->GetKind() != CKivFolderEntry::DiskFile)) {
        kivUi().showMessage(QStringLiteral("Medien, Ordner und Dateien von Medien die\nicht online sind können nicht "
                                           "umbenannt werden !"),
                            QStringLiteral("Warnung"), KivIcon::Exclamation);
        return {};
    }
    QString name = newName;
    if (entry->IsFile() && name.right(4).toLower() != QLatin1String(".mp3"))
        name += QLatin1String(".mp3");
    if (!KivFolderDisk::IsPlainName(name)) {
        TellInvalidOperation();
        return {};
    }
    const QString mediumName = entry->GetMediumName();
    const QString from = KivFolderDisk::WithoutSlash(entry->GetFullPath());
    const QString folder = KivFolderDisk::ParentFolder(from);
    const QString oldName = QFileInfo(from).fileName();
    if (name == oldName)
        return {true, entry, {}};

    const std::optional<QString> used = KivMp3FileOps::RenameKeeping(from, folder, name);
    if (!used) {
        TellInvalidOperation();
        return {};
    }
    Result result;
    result.entry = copyOf(entry);
    CKivFolderChange change = CKivFolderChange::removed(entry);
    change.kind = CKivFolderChange::Renamed;
    bool stored = false;
    CKivTransaction transaction(m_db);
    if (entry->IsFolder()) {
        const QString parent = CRsFolder::ParentSubPath(entry->GetSubPath());
        change.newSubPath = parent + *used + QLatin1Char('\\');
        result.entry->MoveTo(change.newSubPath, QString());
        stored = transaction.IsActive()
              && KivFolderCatalog::MoveFolder(m_db, mediumName, entry->GetSubPath(), change.newSubPath, parent);
    } else {
        change.newSubPath = entry->GetSubPath();
        change.newFilename = *used;
        result.entry->MoveTo(entry->GetSubPath(), *used);
        stored = transaction.IsActive()
              && KivFolderCatalog::MoveFile(m_db, mediumName, entry->GetSubPath(), entry->GetFileName(),
                                            entry->GetSubPath(), *used);
    }
    if (!stored || !transaction.Commit()) {
        if (!KivMp3FileOps::RenameKeeping(KivMp3FileOps::Join(folder, *used), folder, oldName))
            qCWarning(lcFolders) << "could not give" << *used << "its old name" << oldName << "back";
        TellInvalidOperation();
        return {};
    }
    change.entry = result.entry;
    result.changes = {change};
    result.ok = true;
    applyToLists(result.changes);
    return result;
}

// --- new folder

CKivFolderOps::Result CKivFolderOps::CreateFolder(const CKivFolderEntry::Ptr &current, const QString &name)
{
    if (!current)
        return {};
    const int kind = current->GetKind();
    if (!current->IsMediumOnline()
        || (kind != CKivFolderEntry::Medium && kind != CKivFolderEntry::DiskFolder && kind != CKivFolderEntry::DiskFile)
        || !KivFolderDisk::IsPlainName(name)) {
        TellInvalidOperation();
        return {};
    }
    const QString folder = current->ContentFolder();
    const QString path = KivMp3FileOps::Join(folder, name);
    Result result;
    result.entry = CKivFolderEntry::FromDisk(current->GetMedium(), current->GetSubPath(), name, true, 0,
                                             QDateTime::currentDateTime(), current->GetImageBase());
    if (QFileInfo(path).isDir()) {
        result.ok = true;
        return result;
    }
    if (!QDir().mkdir(path)) {
        TellInvalidOperation();
        return {};
    }
    result.changes = {CKivFolderChange::added(result.entry)};
    result.ok = true;
    return result;
}

// --- drop

CKivFolderOps::Result CKivFolderOps::Drop(const std::vector<CKivFolderEntry::Ptr> &sources,
                                          const CKivFolderEntry::Ptr &target)
{
    Result all;
    if (!target)
        return all;
    for (const CKivFolderEntry::Ptr &source : sources) {
        if (!source)
            continue;
        Result one;
        if (!sameMedium(*source, *target)) {
            one = Copy(source, target);
        } else {
            const QString question = QStringLiteral("Sind Sie sicher das Sie die Mp3 Datei: ") + source->GetName()
                                   + QStringLiteral("\nvon: (") + source->GetMediumName() + QLatin1Char(')')
                                   + source->GetSubPath() + QStringLiteral("\nnach: (") + target->GetMediumName()
                                   + QLatin1Char(')') + target->GetSubPath()
                                   + QStringLiteral("\nverschoben werden soll ?");
            if (kivUi().showMessage(question, QStringLiteral("Sicherheitsabfrage !"), KivIcon::Question,
                                    KivButtons::YesNo)
                != KivAnswer::Yes)
                continue;
            one = Move(source, target);
        }
        if (!one.ok)
            break;
        all.ok = true;
        all.entry = one.entry;
        all.changes.insert(all.changes.end(), one.changes.begin(), one.changes.end());
    }
    return all;
}
