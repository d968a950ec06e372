#include "browse/ui/folders/FolderCommands.h"

#include "catalog/CatalogErrorWatch.h"
#include "core/UserInterface.h"
#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "browse/Mp3MimeData.h"
#include "browse/folders/FolderCollect.h"
#include "browse/ui/folders/FolderEntryMimeData.h"
#include "mp3/item/DiskDelete.h"

#include <QInputDialog>

namespace KivFolderCommands {

CKivFolderOps Ops(CMelvoraDoc &doc)
{
    return CKivFolderOps(doc.GetDatabase(), {doc.GetMp3Liste(), doc.GetMediumListe()});
}

void Announce(CMelvoraDoc &doc, const CKivFolderOps::Result &result)
{
    for (const CKivFolderChange &change : result.changes)
        doc.UpdateAllViews(HintFileOperation, QVariant::fromValue(change));
}

void ShowMp3s(CMelvoraDoc &doc, const CKivFolderEntry::Ptr &entry)
{
    CKivCatalogErrorWatch watch(doc.GetDatabase());
    if (entry && entry->GetMedium() && doc.GetMp3Liste())
        doc.GetMp3Liste()->LoadMedium(entry->GetMediumName(), entry->GetSubPath());
}

void ShowToImport(CMelvoraDoc &doc, const CKivFolderEntry::Ptr &entry)
{
    CKivCatalogErrorWatch watch(doc.GetDatabase());
    if (entry && entry->GetMedium() && doc.GetMp3Liste())
        doc.GetMp3Liste()->LoadToImport(entry->GetMediumName());
}

void Scan(CMelvoraDoc &doc, const CKivFolderEntry::Ptr &entry)
{
    if (!entry || !entry->GetMedium())
        return;
    if (!entry->IsMediumOnline()) {
        kivUi().showMessage(QStringLiteral("Medium oder Folder kann nicht durchsucht werden,\nda das Medium nicht "
                                           "online ist !"),
                            QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return;
    }
    doc.StartScan(entry->GetMediumName(), entry->GetSubPath());
}

void NewFolder(CMelvoraDoc &doc, const CKivFolderEntry::Ptr &current, QWidget *parent)
{
    if (!current)
        return;
    QInputDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Neuen Ordner Erstellen"));
    dialog.setLabelText(QStringLiteral(" Name des neuen Ordners:"));
    dialog.setTextValue(QStringLiteral("Neuer Ordner"));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    CKivFolderOps ops = Ops(doc);
    Announce(doc, ops.CreateFolder(current, dialog.textValue()));
}

void Delete(CMelvoraDoc &doc, const std::vector<CKivFolderEntry::Ptr> &entries)
{
    if (!entries.empty() && !KivDiskDelete::Confirm())
        return;
    // The player lets go of a file it holds before the file goes.
    doc.ReleaseFile();
    CKivFolderOps ops = Ops(doc);
    Announce(doc, ops.Delete(entries));
}

std::vector<CKivMp3::Ptr> SendMp3s(CMelvoraDoc &doc, const std::vector<CKivFolderEntry::Ptr> &entries, int hint)
{
    CKivMp3Liste list(doc.GetDatabase());
    list.SetMedia(doc.GetMedia());
    for (const CKivMp3::Ptr &item : KivFolderCollect::Mp3sBelow(doc.GetDatabase(), entries))
        list.Append(item);
    doc.UpdateAllViews(hint, QVariant::fromValue(&list));
    return list.GetItems();
}

CKivFolderEntry::Ptr Rename(CMelvoraDoc &doc, const CKivFolderEntry::Ptr &entry, const QString &name)
{
    doc.ReleaseFile();
    CKivFolderOps ops = Ops(doc);
    const CKivFolderOps::Result result = ops.Rename(entry, name);
    if (!result.ok)
        return nullptr;
    Announce(doc, result);
    return result.entry;
}

bool CanDrop(const CMelvoraDoc &doc, const QMimeData *data)
{
    return doc.GetDragDrop() != 0 && (CKivFolderEntryMimeData::from(data) || CKivMp3MimeData::from(data));
}

void Drop(CMelvoraDoc &doc, const QMimeData *data, const CKivFolderEntry::Ptr &target)
{
    if (!CanDrop(doc, data))
        return;
    if (!target || !(target->IsMedium() || target->IsFolder())) {
        CKivFolderOps::TellInvalidOperation();
        return;
    }
    std::vector<CKivFolderEntry::Ptr> sources;
    if (const CKivFolderEntryMimeData *entries = CKivFolderEntryMimeData::from(data)) {
        sources = entries->entries();
    } else if (const CKivMp3MimeData *items = CKivMp3MimeData::from(data)) {
        for (const CKivMp3::Ptr &item : items->items()) {
            if (item)
                sources.push_back(CKivFolderEntry::FromItem(*item, target->GetImageBase()));
        }
    }
    // A drop may move files: the player lets go of its file first.
    doc.ReleaseFile();
    CKivFolderOps ops = Ops(doc);
    Announce(doc, ops.Drop(sources, target));
}

} // namespace KivFolderCommands
