#include "browse/ui/folders/MedienFormView.h"

#include "browse/MelvoraDoc.h"
#include "browse/folders/FolderChange.h"
#include "browse/ui/folders/FolderCommands.h"
#include "browse/ui/folders/FolderTreeCtrl.h"
#include "controls/ui/CommandRegistry.h"

#include <QAction>
#include <QMenu>
#include <QVBoxLayout>

using namespace KivFolderCommands;

CKivMedienFormView::CKivMedienFormView(CMelvoraDoc &doc, CKivSettings &, CKivCommandRegistry &commands,
                                       QWidget *parent)
    : QWidget(parent)
    , m_doc(doc)
    , m_commands(commands)
    , m_tree(new CKivFolderTreeCtrl(doc, this))
{
    setWindowTitle(QStringLiteral("Medien"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_tree->setAccessibleName(QStringLiteral("Medien"));
    layout->addWidget(m_tree);
    m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_tree, &QWidget::customContextMenuRequested, this, &CKivMedienFormView::showContextMenu);
    connect(&doc, &CMelvoraDoc::updateAllViews, this, &CKivMedienFormView::onHint);
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &index) {
        const CKivFolderEntry::Ptr entry = m_tree->Model().EntryAt(index);
        if (entry && !entry->IsFile() && entry->GetKind() != CKivFolderEntry::CdManager)
            m_doc.UpdateAllViews(HintTreeSelection, QVariant::fromValue(entry));
    });
    m_tree->Model().SetEditable(doc.GetLabelEdit() != 0);
    m_tree->Fill();
}

void CKivMedienFormView::onHint(int hint, const QVariant &payload)
{
    switch (hint) {
    case HintMediaChanged:
    case CMelvoraDoc::HintCdChanged:
        m_tree->Fill();
        break;
    case HintFileOperation:
        if (payload.canConvert<CKivFolderChange>())
            m_tree->Model().ApplyChange(payload.value<CKivFolderChange>());
        break;
    case HintLabelEdit:
        m_tree->Model().SetEditable(m_doc.GetLabelEdit() != 0);
        break;
    default:
        break;
    }
}

bool CKivMedienFormView::queryCommand(int id, State &state) const
{
    const CKivFolderEntry::Ptr entry = m_tree->CurrentEntry();
    const bool onMedium = entry && entry->GetMedium();
    switch (id) {
    case CmdShowMp3s:
    case CmdToImport:
    case CmdScan:
    case CmdInsertList:
    case CmdInsertPlaylist:
        state.enabled = onMedium;
        return true;
    case CmdNewFolder:
        state.enabled = onMedium && !entry->IsFile();
        return true;
    case CmdDelete:
        state.enabled = true;
        return true;
    default:
        return false;
    }
}

void CKivMedienFormView::onCommand(int id)
{
    const CKivFolderEntry::Ptr entry = m_tree->CurrentEntry();
    switch (id) {
    case CmdShowMp3s:
        ShowMp3s(m_doc, entry);
        break;
    case CmdToImport:
        ShowToImport(m_doc, entry);
        break;
    case CmdScan:
        Scan(m_doc, entry);
        break;
    case CmdNewFolder:
        NewFolder(m_doc, entry, this);
        break;
    case CmdDelete:
        Delete(m_doc, entry ? std::vector<CKivFolderEntry::Ptr>{entry} : std::vector<CKivFolderEntry::Ptr>{});
        break;
    case CmdInsertList:
        SendMp3s(m_doc, {entry}, HintMp3sForList);
        break;
    case CmdInsertPlaylist:
        SendMp3s(m_doc, {entry}, HintMp3sForPlaylist);
        break;
    default:
        break;
    }
}

void CKivMedienFormView::showContextMenu(const QPoint &pos)
{
    const QModelIndex index = m_tree->indexAt(pos);
    if (index.isValid())
        m_tree->setCurrentIndex(index);
    // Context menu "Ordneriste" (134).
    const int ids[] = {CmdShowMp3s, CmdToImport, CmdScan, 0, CmdNewFolder, CmdDelete, 0, CmdInsertList,
                       CmdInsertPlaylist, 0, CmdLabelEdit, CmdDragDrop};
    QMenu menu(this);
    m_commands.updateStates();
    for (const int id : ids) {
        if (id == 0) {
            menu.addSeparator();
        } else if (QAction *action = m_commands.action(id)) {
            menu.addAction(action);
        }
    }
    menu.exec(m_tree->viewport()->mapToGlobal(pos));
}
