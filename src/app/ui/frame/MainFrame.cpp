#include "app/ui/frame/MainFrame.h"

#include "core/Settings.h"
#include "app/ui/frame/CommandTable.h"
#include "app/ui/frame/FrameIcons.h"
#include "app/ui/frame/FrameLayouts.h"
#include "app/ui/frame/FrameMenus.h"
#include "app/ui/frame/FrameStatusBar.h"
#include "controls/ui/bars/ToolBarManager.h"
#include "app/ui/frame/FrameTray.h"
#include "app/ui/frame/ScanMonitor.h"
#include "app/ui/frame/SearchBar.h"
#include "app/ui/frame/SplitterWnd.h"
#include "app/ui/frame/ViewFactory.h"
#include "playback/SleepTimer.h"
#include "playback/ui/PlayerDisplay.h"
#include "playback/ui/PlayerSession.h"
#include "browse/MelvoraDoc.h"
#include "browse/ui/lists/Mp3ListView.h"
#include "catalog/CatalogErrorWatch.h"
#include "catalog/Database.h"
#include "controls/CommandTarget.h"
#include "controls/ui/CommandRegistry.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMetaMethod>
#include <QTimer>
#include <QToolBar>

CMainFrame::CMainFrame(CMelvoraDoc &doc, CKivSettings &settings, CKivDatabase &db, CKivFilter &filter,
                       QWidget *parent)
    : QMainWindow(parent)
    , m_doc(doc)
    , m_settings(settings)
    , m_db(db)
    , m_filter(filter)
    , m_commands(new CKivCommandRegistry(this))
{
    setObjectName(QStringLiteral("mainFrame"));
    setWindowTitle(CMelvoraDoc::Title());
    setWindowIcon(QIcon(QStringLiteral(":/melvora/ui/melvora.svg")));
    resize(1024, 700);

    createCommands();
    // A command whose catalog reads or writes fail tells the user once, when it is done.
    m_commands->setAround([this](const std::function<void()> &run) {
        CKivCatalogErrorWatch watch(m_db);
        run();
    });
    KivFrameMenus::build(*menuBar(), *m_commands);
    createBars();
    createClientArea();
    m_tray = new CKivFrameTray(*this);
    m_scanMonitor = new CKivScanMonitor(m_doc, *this);

    wireFrameCommands();
    wireLayoutCommands();
    wireDocumentCommands();
    wirePlayerCommands();

    connect(&m_doc, &CMelvoraDoc::userChanged, m_statusBar, &CKivFrameStatusBar::setUserName);
    connect(&m_doc, &CMelvoraDoc::showStandardList, this,
            [this] { m_commands->dispatch(KivCommandTable::RightStandard); });
    connect(m_searchBar, &CKivSearchBar::searchRequested, this, &CMainFrame::searchEntered);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { focusChanged(now); });

    // The tool bars show their buttons' states without a menu being opened.
    m_stateTimer = new QTimer(this);
    m_stateTimer->setInterval(250);
    connect(m_stateTimer, &QTimer::timeout, this, &CMainFrame::updateStates);
    m_stateTimer->start();
    updateStates();
    // What a user who never stored his bars gets after a user switch.
    m_defaultDockState = saveState(CKivToolBarManager::kDockStateVersion);
}

CMainFrame::~CMainFrame()
{
    // Focus changes while the widgets go away must not reach a half-destroyed frame.
    disconnect(qApp, nullptr, this, nullptr);
    m_player.reset();
}

QString CMainFrame::userName() const
{
    return m_settings.GetUserName();
}

void CMainFrame::createCommands()
{
    for (const KivCommandDef &def : KivCommandTable::commands()) {
        QList<QKeySequence> keys;
        for (const QKeyCombination &key : def.keys)
            keys.append(QKeySequence(key));
        QAction *action = m_commands->add(def.id, def.text, def.prompt.section(QLatin1Char('\n'), 0, 0), keys);
        action->setObjectName(QStringLiteral("command%1").arg(def.id));
        const QString tip = def.prompt.section(QLatin1Char('\n'), 1);
        if (!tip.isEmpty())
            action->setToolTip(tip);
        action->setIcon(KivFrameIcons::icon(def.id));
        // Menus, bars and keys of the whole window reach the action.
        addAction(action);
    }
}

void CMainFrame::createBars()
{
    m_bars = std::make_unique<CKivToolBarManager>(*this, *m_commands, m_settings.store());
    m_bars->setWidgetFactory(KivCommandTable::SortField, [this](QWidget *parent) -> QWidget * {
        QWidget *combo = KivDialogs::createSortCombo(m_filter, parent);
        combo->setObjectName(QStringLiteral("sortCombo"));
        combo->setToolTip(QStringLiteral("Filter-Sortierung"));
        return combo;
    });
    QList<KivToolBarDef> defs;
    for (const KivToolBarLayout &bar : KivCommandTable::toolBars())
        defs.append(KivToolBarDef{bar.objectName, bar.title, bar.buttons});
    m_bars->createToolBars(defs);

    // The player's panel stands in its own row below the tool bars.
    addToolBarBreak(Qt::TopToolBarArea);
    m_playerBar = new QToolBar(QStringLiteral("Player"), this);
    m_playerBar->setObjectName(QStringLiteral("playerBar"));
    m_playerBar->setMovable(false);
    m_playerBar->setContentsMargins(0, 0, 0, 0);
    m_playerDisplay = new CKivPlayerDisplay(m_playerBar);
    m_playerBar->addWidget(m_playerDisplay);
    addToolBar(Qt::TopToolBarArea, m_playerBar);

    m_statusBar = new CKivFrameStatusBar(this);
    setStatusBar(m_statusBar);
    m_statusBar->setConnected(m_db.IsOpen());
    m_searchBar = new CKivSearchBar(this);
    addToolBar(Qt::BottomToolBarArea, m_searchBar);
}

void CMainFrame::createClientArea()
{
    CKivProfileStore &store = m_settings.store();
    m_outer = new CKivSplitterWnd(Qt::Horizontal, store, nullptr, this);
    m_outer->setObjectName(QStringLiteral("outerSplitter"));
    m_inner = new CKivSplitterWnd(Qt::Vertical, store, m_outer);
    m_inner->setObjectName(QStringLiteral("innerSplitter"));
    for (int entry = 0; entry < 8; ++entry) {
        m_views[size_t(entry)] = KivCreateView(entry, m_doc, m_settings, *m_commands, nullptr);
        connectViewSignals(m_views[size_t(entry)]);
    }
    m_layouts = new CKivFrameLayouts(*m_outer, *m_inner, m_views, this);
    setCentralWidget(m_outer);
    m_outer->setSizes({350, 674});
    m_inner->setSizes({300, 300});

    setSplitterSections();
    m_outer->loadState();
    m_inner->loadState();

    m_settings.ApplyNormalColors();
    m_searchBar->applyColors(m_settings);
    m_searchBar->setSearchWhileTyping(m_settings.GetSearchWhileTyping() != 0);
    m_layouts->setLayouts(4, 0);
}

void CMainFrame::connectViewSignals(QWidget *view)
{
    const QMetaObject *meta = view->metaObject();
    const int signal = meta->indexOfSignal("statusPanesChanged(QString,QString,QString)");
    if (signal < 0)
        return;
    const int slot = metaObject()->indexOfSlot("setStatusPanes(QString,QString,QString)");
    connect(view, meta->method(signal), this, metaObject()->method(slot));
}

QToolBar *CMainFrame::toolBar(const QString &objectName) const
{
    return findChild<QToolBar *>(objectName, Qt::FindDirectChildrenOnly);
}

void CMainFrame::setStatusPanes(const QString &count, const QString &size, const QString &time)
{
    m_statusBar->setStatusPanes(count, size, time);
}

void CMainFrame::updateStates()
{
    m_commands->updateStates();
}

void CMainFrame::focusChanged(QWidget *now)
{
    if (!now || now->window() != this)
        return;
    for (QWidget *w = now; w; w = w->parentWidget()) {
        if (auto *target = dynamic_cast<IKivCommandTarget *>(w)) {
            m_commands->setActiveTarget(target, w);
            return;
        }
    }
    // A view that handles no command makes no view active; bars and the search field keep the
    // view that was active.
    if (m_outer->isAncestorOf(now))
        m_commands->setActiveTarget(nullptr, nullptr);
}

void CMainFrame::setSplitterSections()
{
    const QString user = userName();
    m_outer->setProfileSection(user + QStringLiteral("\\KivSplitter"));
    m_inner->setProfileSection(user + QStringLiteral("\\KivSplitter2"));
}

QList<CKivMp3ListView *> CMainFrame::listViews() const
{
    QList<CKivMp3ListView *> views;
    for (QWidget *view : m_views) {
        if (auto *list = qobject_cast<CKivMp3ListView *>(view))
            views.append(list);
    }
    return views;
}

void CMainFrame::saveUserState()
{
    if (m_saved)
        return;
    m_saved = true;
    storeUserState();
    m_tray->remove();
    savePlaylist();
}

void CMainFrame::storeUserState()
{
    // Everything goes under the user stored now, who may have come in by a user switch.
    setSplitterSections();
    m_bars->save(userName());
    m_outer->saveState();
    m_inner->saveState();
    for (CKivMp3ListView *list : listViews())
        list->saveArrangement();
}

void CMainFrame::loadUserState()
{
    const QString user = userName();
    m_bars->loadToolBars(user);
    m_bars->loadKeyboard(user);
    m_bars->loadContextMenus(user);
    if (!m_bars->loadDockState(user))
        restoreState(m_defaultDockState, CKivToolBarManager::kDockStateVersion);
    setSplitterSections();
    m_outer->loadState();
    m_inner->loadState();
    m_layouts->apply();
    for (CKivMp3ListView *list : listViews())
        list->loadArrangement();
    m_searchBar->setSearchWhileTyping(m_settings.GetSearchWhileTyping() != 0);
}

void CMainFrame::closeEvent(QCloseEvent *event)
{
    saveUserState();
    event->accept();
}

void CMainFrame::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Minimised, the window leaves the screen and only the tray icon brings it back; without a
    // tray icon it stays minimised where the desktop can restore it.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_tray && m_tray->canHideWindow())
        QTimer::singleShot(0, this, &QWidget::hide);
}

void CMainFrame::showEvent(QShowEvent *event)
{
    if (!m_keyboardLoaded) {
        m_keyboardLoaded = true;
        m_bars->load(userName());
    }
    if (!(windowState() & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)))
        setWindowState(windowState() | Qt::WindowMaximized);
    QMainWindow::showEvent(event);
}

QMenu *CMainFrame::createPopupMenu()
{
    m_commands->updateStates();
    return m_bars->toolBarContextMenu(this);
}
