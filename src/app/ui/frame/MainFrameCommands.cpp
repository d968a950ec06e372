// The handlers of the frame's own commands, the layouts and the document's commands.
#include "app/ui/frame/MainFrame.h"

#include "core/Settings.h"
#include "app/ui/frame/AboutBox.h"
#include "app/ui/frame/CommandTable.h"
#include "app/ui/frame/DialogLauncher.h"
#include "app/ui/frame/FrameLayouts.h"
#include "app/ui/frame/FrameStatusBar.h"
#include "controls/ui/bars/ToolBarManager.h"
#include "app/ui/frame/SearchBar.h"
#include "browse/Filter.h"
#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "browse/SearchField.h"
#include "browse/ui/lists/Mp3ListPrint.h"
#include "catalog/Database.h"
#include "controls/ui/CommandRegistry.h"
#include "media/MedienListe.h"
#include "media/MediumForm.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QToolBar>

using namespace KivCommandTable;
using State = IKivCommandTarget::State;

namespace {

State checkState(bool checked)
{
    State state;
    state.checkable = true;
    state.checked = checked;
    return state;
}

} // namespace

void CMainFrame::wireFrameCommands()
{
    CKivCommandRegistry &c = *m_commands;
    c.setHandler(Exit, {[this] { close(); }, {}});
    c.setHandler(ToolBarToggle, {[this] {
                                     if (QToolBar *bar = toolBar(QStringLiteral("Standard")))
                                         bar->setVisible(!bar->isVisible());
                                 },
                                 [this] {
                                     const QToolBar *bar = toolBar(QStringLiteral("Standard"));
                                     return checkState(bar && !bar->isHidden());
                                 }});
    c.setHandler(StatusBarToggle, {[this] { m_statusBar->setVisible(m_statusBar->isHidden()); },
                                   [this] { return checkState(!m_statusBar->isHidden()); }});
    c.setHandler(About, {[this] {
                             CKivAboutBox box(this);
                             box.exec();
                         },
                         {}});
    c.setHandler(FocusSearch, {[this] {
                                   m_searchBar->show();
                                   m_searchBar->edit()->setFocus(Qt::ShortcutFocusReason);
                                   m_searchBar->edit()->selectAll();
                               },
                               {}});
    c.setHandler(Customize, {[this] { m_bars->customize(this); }, {}});
    c.setHandler(PrintSetup, {[this] { CKivMp3ListPrint::setUp(this); }, {}});
}

void CMainFrame::wireLayoutCommands()
{
    CKivCommandRegistry &c = *m_commands;
    for (int id : leftLayoutCommands()) {
        c.setHandler(id, {[this, id] {
                              m_layouts->chooseLeft(id);
                              if (id == LeftPlaylist) {
                                  m_statusBar->show();
                                  m_searchBar->show();
                              }
                          },
                          [this, id] { return checkState(m_layouts->leftLayout() == CKivFrameLayouts::leftCodeOf(id)); }});
    }
    for (int id : rightLayoutCommands()) {
        c.setHandler(id, {[this, id] { rightLayoutChosen(id); },
                          [this, id] {
                              return checkState(m_layouts->rightLayout() == CKivFrameLayouts::rightCodeOf(id));
                          }});
    }
}

void CMainFrame::rightLayoutChosen(int commandId)
{
    m_layouts->chooseRight(commandId);
    const int layout = m_layouts->rightLayout();
    CKivMp3Liste *result = m_doc.GetMp3Liste();
    if (layout <= 1 && result) {
        if (layout == 0)
            m_settings.ApplyNormalColors();
        else
            m_settings.ApplyTvColors();
        const QVariant payload = QVariant::fromValue(result);
        m_doc.UpdateAllViews(102, payload);
        m_doc.UpdateAllViews(601, payload);
        m_searchBar->applyColors(m_settings);
    }
    // The status bar and the search bar stand at the bottom again.
    m_statusBar->show();
    m_searchBar->show();
}

void CMainFrame::wireDocumentCommands()
{
    CKivCommandRegistry &c = *m_commands;
    CMelvoraDoc &doc = m_doc;
    c.setHandler(LabelEdit, {[&doc] { doc.OnLabelEdit(); }, [&doc] { return checkState(doc.GetLabelEdit()); }});
    c.setHandler(DragDrop, {[&doc] { doc.OnDragDrop(); }, [&doc] { return checkState(doc.GetDragDrop()); }});
    c.setHandler(QuickImport, {[&doc] { doc.OnQuickImport(); }, [&doc] { return checkState(doc.GetQuickImport()); }});
    c.setHandler(OnlineMedia, {[&doc] { doc.OnOnlineMedia(); }, [&doc] { return checkState(doc.IsOnlineMedia()); }});
    c.setHandler(OfflineCds, {[&doc] { doc.OnOfflineCds(); }, [&doc] { return checkState(doc.GetOfflineCds()); }});
    c.setHandler(FilterDefine, {[this] { KivDialogs::runFilter(m_filter, this); }, {}});
    // The sort field is a combo box in the bar: choosing in it sets the filter's sort, the command
    // itself only keeps it enabled.
    c.setHandler(SortField, {[] {}, {}});
    c.setHandler(Settings, {[this] { runSettings(); }, {}});
    c.setHandler(Connection, {[this] {
                                  m_db.ShowConnectionDialog();
                                  m_statusBar->setConnected(m_db.IsOpen());
                              },
                              {}});
    c.setHandler(OpenFile, {[this] { openFile(); }, {}});
    KivDialogs::attachMediaDialogs(doc, this);
    c.setHandler(ShowCatalog, {[this] { showCatalog(); }, [&doc] {
                                   State state;
                                   state.enabled = doc.GetMedia() != nullptr;
                                   return state;
                               }});
}

void CMainFrame::runSettings()
{
    if (!KivDialogs::runSettings(m_settings, this))
        return;
    if (m_settings.IsNormalColorMode())
        m_settings.ApplyNormalColors();
    else
        m_settings.ApplyTvColors();
    m_doc.UpdateAllViews(601);
    m_searchBar->applyColors(m_settings);
    m_searchBar->setSearchWhileTyping(m_settings.GetSearchWhileTyping() != 0);
}

void CMainFrame::openFile()
{
    // The folder is not changed by the dialog: the process keeps the folder it started in.
    const QString path = QFileDialog::getOpenFileName(
        this, QString(), QString(),
        QStringLiteral("Kiv Import Files (*.imp);;Kiv Export Files (*.exp);;Kiv Medium Archive (*.mar)"));
    if (!path.isEmpty())
        m_doc.OpenFile(path);
}

void CMainFrame::showCatalog()
{
    if (!m_doc.GetMedia())
        return;
    KivDialogs::runMediaCatalog(m_doc, this);
    m_doc.UpdateAllViews(CMelvoraDoc::HintMediaChanged);
    m_doc.UpdateAllViews(CMelvoraDoc::HintCdChanged);
}

void CMainFrame::searchEntered(const QString &text)
{
    if (CKivMp3Liste *list = m_doc.GetMp3Liste())
        KivSearchField::Search(text, m_filter, *list);
}
