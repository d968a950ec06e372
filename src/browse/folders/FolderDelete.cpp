// Deleting folders and files from disk and catalog. The file or folder is first hidden under a
// temporary name, so that it can be put back when the catalog refuses to let its rows go.
#include "browse/folders/FolderOps.h"

#include "core/UserInterface.h"
#include "browse/folders/FolderCatalog.h"
#include "browse/folders/FolderDisk.h"
#include "browse/folders/FoldersLog.h"
#include "catalog/Transaction.h"

CKivFolderOps::Result CKivFolderOps::Delete(const std::vector<CKivFolderEntry::Ptr> &entries)
{
    Result result;
    if (entries.empty()) {
        kivUi().showMessage(QStringLiteral("Keine Datei oder Ordner zum Löschen ausgewählt !"), QStringLiteral("Warnung"),
                            KivIcon::Exclamation);
        return result;
    }
    result.ok = true;
    for (const CKivFolderEntry::Ptr &entry : entries) {
        if (!entry)
            continue;
        const int kind = entry->GetKind();
        if (entry->IsMedium() || kind == CKivFolderEntry::Cd || kind == CKivFolderEntry::CdManager) {
            kivUi().showMessage(QStringLiteral("Das Medium kann nicht gelöscht werden !"), QStringLiteral("Warnung"),
                                KivIcon::Exclamation);
            result.ok = false;
            break;
        }
        if ((kind != CKivFolderEntry::DiskFolder && kind != CKivFolderEntry::DiskFile) || !entry->IsMediumOnline()) {
            kivUi().showMessage(QStringLiteral("Sie können keine Dateien löschen, auf die Sie keinen \nZugriff haben."),
                                QStringLiteral("Warnung"), KivIcon::Exclamation);
            result.ok = false;
            break;
        }
        if (!deleteOne(entry)) {
            TellInvalidOperation();
            result.ok = false;
            break;
        }
        result.changes.push_back(CKivFolderChange::removed(entry));
    }
    applyToLists(result.changes);
    return result;
}

bool CKivFolderOps::deleteOne(const CKivFolderEntry::Ptr &entry)
{
    const QString path = entry->GetFullPath();
    const std::optional<QString> staged = KivFolderDisk::StageDelete(path);
    if (!staged)
        return false;
    bool stored = false;
    {
        CKivTransaction transaction(m_db);
        stored = transaction.IsActive()
              && (entry->IsFolder()
                      ? KivFolderCatalog::DeleteFolder(m_db, entry->GetMediumName(), entry->GetSubPath())
                      : KivFolderCatalog::DeleteFile(m_db, entry->GetMediumName(), entry->GetSubPath(),
                                                     entry->GetFileName()))
              && transaction.Commit();
    }
    if (!stored) {
        if (!KivFolderDisk::RestoreStaged(*staged, path))
            qCWarning(lcFolders) << "could not put" << path << "back from" << *staged;
        return false;
    }
    if (!KivFolderDisk::FinishStaged(*staged, path))
        qCWarning(lcFolders) << "could not remove" << *staged << "completely";
    return true;
}
