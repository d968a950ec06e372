#include "browse/ui/folders/FileListFormView.h"

#include "core/Settings.h"
#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "browse/folders/FolderChange.h"
#include "browse/ui/folders/FileListCtrl.h"
#include "browse/ui/folders/FolderCommands.h"
#include "controls/ui/CommandRegistry.h"

#include <QAbstractItemView>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

using namespace KivFolderCommands;

CFileListFormView::CFileListFormView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                                     QWidget *parent)
    : CFileListFormView(doc, settings, commands, parent, QStringLiteral("Ordner und Dateien"))
{
}

CFileListFormView::CFileListFormView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                                     QWidget *parent, const QString &caption)
    : QWidget(parent)
    , m_doc(doc)
    , m_settings(settings)
    , m_commands(commands)
    , m_address(new QLineEdit(this))
    , m_list(new CKivFileListCtrl(doc, this))
{
    setWindowTitle(caption);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_address->setReadOnly(true);
    m_address->setAccessibleName(QStringLiteral("Adresse"));
    layout->addWidget(m_address);
    layout->addWidget(m_list);
    connect(&doc, &CMelvoraDoc::updateAllViews, this, &CFileListFormView::onHint);
    connect(m_list, &CKivFileListCtrl::entryActivated, this, &CFileListFormView::activate);
    connect(m_list, &CKivFileListCtrl::clicked, this,
            [this] { m_doc.UpdateAllViews(HintFileListClicked, QVariant::fromValue(static_cast<QObject *>(m_list))); });
    connect(m_list, &CKivFileListCtrl::contextMenuRequested, this, &CFileListFormView::showContextMenu);
    m_list->Model().SetEditable(doc.GetLabelEdit() != 0);
    readSettings();
    if (doc.GetMedia())
        m_list->Model().ShowMedia(doc.GetMedia());
    m_address->setText(AddressText());
}

QString CFileListFormView::AddressText() const
{
    return m_list->Model().AddressText();
}

void CFileListFormView::readSettings()
{
    m_list->SetGridLines((m_settings.GetFileListFlags() & 1) != 0);
}

void CFileListFormView::show(const CKivFolderEntry::Ptr &entry)
{
    if (!entry)
        return;
    m_list->Model().ShowChildrenOf(entry);
    m_address->setText(AddressText());
}

void CFileListFormView::onHint(int hint, const QVariant &payload)
{
    switch (hint) {
    case HintTreeSelection:
        if (m_bound)
            show(payload.value<CKivFolderEntry::Ptr>());
        break;
    case HintShowEntry:
        show(payload.value<CKivFolderEntry::Ptr>());
        break;
    case HintMediaChanged:
        m_list->Model().ShowMedia(m_doc.GetMedia());
        m_address->setText(AddressText());
        break;
    case HintFileOperation:
        if (payload.canConvert<CKivFolderChange>()) {
            m_list->Model().ApplyChange(payload.value<CKivFolderChange>());
            m_address->setText(AddressText());
        }
        break;
    case HintLabelEdit:
        m_list->Model().SetEditable(m_doc.GetLabelEdit() != 0);
        break;
    case HintSettings:
        readSettings();
        break;
    default:
        break;
    }
}

void CFileListFormView::activate(const CKivFolderEntry::Ptr &entry)
{
    if (!entry)
        return;
    if (entry->IsMedium() || entry->IsFolder()) {
        m_doc.UpdateAllViews(HintOpenFolder, QVariant::fromValue(entry));
        show(entry);
    } else if (entry->IsFile()) {
        // The visible MP3 list took the file and is the player's source now: it plays shortly.
        const std::vector<CKivMp3::Ptr> items = SendMp3s(m_doc, {entry}, HintMp3sForList);
        if (items.size() == 1)
            m_doc.PlayItemSoon(items.front().get());
    }
}

bool CFileListFormView::queryCommand(int id, State &state) const
{
    const CKivFolderEntry::Ptr current = m_list->Model().Current();
    const bool hasSelection = !m_list->SelectedEntries().empty();
    switch (id) {
    case CmdShowMp3s:
    case CmdToImport:
    case CmdScan:
        state.enabled = current && current->GetMedium();
        return true;
    case CmdNewFolder:
        state.enabled = current != nullptr;
        return true;
    case CmdDelete:
        state.enabled = true;
        return true;
    case CmdInsertList:
    case CmdInsertPlaylist:
        state.enabled = hasSelection;
        return true;
    case CmdBound:
        state.checkable = true;
        state.checked = m_bound;
        return true;
    case CmdLargeIcons:
    case CmdSmallIcons:
    case CmdDetails:
        state.checkable = true;
        state.checked = int(m_list->GetMode()) == id - CmdLargeIcons;
        return true;
    default:
        return false;
    }
}

void CFileListFormView::onCommand(int id)
{
    const CKivFolderEntry::Ptr current = m_list->Model().Current();
    switch (id) {
    case CmdShowMp3s:
        ShowMp3s(m_doc, current);
        break;
    case CmdToImport:
        ShowToImport(m_doc, current);
        break;
    case CmdScan:
        Scan(m_doc, current);
        break;
    case CmdNewFolder:
        NewFolder(m_doc, current, this);
        break;
    case CmdDelete:
        Delete(m_doc, m_list->SelectedEntries());
        break;
    case CmdInsertList:
        SendMp3s(m_doc, m_list->SelectedEntries(), HintMp3sForList);
        break;
    case CmdInsertPlaylist:
        SendMp3s(m_doc, m_list->SelectedEntries(), HintMp3sForPlaylist);
        break;
    case CmdBound:
        m_bound = !m_bound;
        break;
    case CmdLargeIcons:
    case CmdSmallIcons:
    case CmdDetails:
        m_list->SetMode(CKivFileListCtrl::Mode(id - CmdLargeIcons));
        break;
    default:
        break;
    }
}

void CFileListFormView::showContextMenu(const QPoint &globalPos)
{
    // Context menu "Fileliste" (133).
    const int ids[] = {CmdShowMp3s, CmdToImport, CmdScan, 0, CmdNewFolder, CmdDelete, 0, CmdInsertList,
                       CmdInsertPlaylist, 0, CmdBound, 0, CmdLargeIcons, CmdSmallIcons, CmdDetails, 0,
                       CmdLabelEdit, CmdDragDrop};
    QMenu menu(this);
    m_commands.updateStates();
    for (const int id : ids) {
        if (id == 0) {
            menu.addSeparator();
        } else if (QAction *action = m_commands.action(id)) {
            menu.addAction(action);
        }
    }
    menu.exec(globalPos);
}
