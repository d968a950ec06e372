#include "browse/ui/folders/FolderTreeCtrl.h"

#include "browse/MelvoraDoc.h"
#include "browse/ui/folders/FolderCommands.h"
#include "browse/ui/folders/FolderEntryMimeData.h"
#include "browse/ui/folders/FolderImages.h"
#include "media/cd/CdManager.h"

#include <QApplication>
#include <QDrag>
#include <QDropEvent>

CKivFolderTreeCtrl::CKivFolderTreeCtrl(CMelvoraDoc &doc, QWidget *parent)
    : QTreeView(parent)
    , m_doc(doc)
    , m_model(doc.GetDatabase())
{
    setModel(&m_model);
    setHeaderHidden(true);
    setItemDelegate(new CKivFolderIconDelegate(CKivFolderTreeModel::ImageRole, this));
    setDragEnabled(true);
    setAcceptDrops(true);
    setDropIndicatorShown(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    // Collapsing forgets the children, so the next expansion reads the medium again.
    connect(this, &QTreeView::collapsed, this, [this](const QModelIndex &index) { m_model.Collapse(index); });
    connect(this, &QTreeView::expanded, this, [](const QModelIndex &) { QApplication::restoreOverrideCursor(); });
    m_model.SetRenameHandler([this](const CKivFolderEntry::Ptr &entry, const QString &name) {
        return KivFolderCommands::Rename(m_doc, entry, name);
    });
}

CKivFolderEntry::Ptr CKivFolderTreeCtrl::CurrentEntry() const
{
    return m_model.EntryAt(currentIndex());
}

void CKivFolderTreeCtrl::Fill()
{
    const CKivCdManager *cds = m_doc.GetCdManager();
    m_model.Fill(m_doc.GetMedia(), QStringLiteral("Aktuell: ") + cds->GetLabel(), cds->CdsToShow(m_doc.GetOfflineCds() != 0));
}

void CKivFolderTreeCtrl::startDrag(Qt::DropActions)
{
    const CKivFolderEntry::Ptr entry = CurrentEntry();
    if (!entry || m_doc.GetDragDrop() == 0 || entry->GetKind() == CKivFolderEntry::CdManager)
        return;
    auto *drag = new QDrag(this);
    drag->setMimeData(new CKivFolderEntryMimeData({entry}));
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

void CKivFolderTreeCtrl::dragEnterEvent(QDragEnterEvent *event)
{
    if (KivFolderCommands::CanDrop(m_doc, event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CKivFolderTreeCtrl::dragMoveEvent(QDragMoveEvent *event)
{
    const CKivFolderEntry::Ptr target = m_model.EntryAt(indexAt(event->position().toPoint()));
    if (KivFolderCommands::CanDrop(m_doc, event->mimeData()) && target && (target->IsMedium() || target->IsFolder()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void CKivFolderTreeCtrl::dropEvent(QDropEvent *event)
{
    const CKivFolderEntry::Ptr target = m_model.EntryAt(indexAt(event->position().toPoint()));
    event->acceptProposedAction();
    KivFolderCommands::Drop(m_doc, event->mimeData(), target);
}
