#pragma once

#include <QMainWindow>

#include <array>
#include <memory>

class CKivCommandRegistry;
class CKivDatabase;
class CKivFilter;
class CKivFrameLayouts;
class CKivFrameStatusBar;
class CKivToolBarManager;
class CKivFrameTray;
class CKivMp3ListView;
class CKivPlayerDisplay;
class CKivPlayerSession;
class CKivPlaylistView;
class CKivScanMonitor;
class CKivSleepTimer;
class CKivSearchBar;
class CKivSettings;
class CKivSplitterWnd;
class CMelvoraDoc;
class QTimer;
class QToolBar;

// The program's one top-level window. It creates the commands, menus and bars, the two splitters
// with the eight views and the status and search bars, and hands every command to its owner: the
// view with the keyboard focus, the document, the application or itself. Bars, shortcuts and
// splitter sizes are kept per user (named by the stored user name).
class CMainFrame : public QMainWindow
{
    Q_OBJECT

public:
    CMainFrame(CMelvoraDoc &doc, CKivSettings &settings, CKivDatabase &db, CKivFilter &filter,
               QWidget *parent = nullptr);
    ~CMainFrame() override;

    CKivCommandRegistry &commands() const { return *m_commands; }
    CKivFrameLayouts &layouts() const { return *m_layouts; }
    CKivFrameStatusBar *frameStatusBar() const { return m_statusBar; }
    CKivSearchBar *searchBar() const { return m_searchBar; }
    CKivSplitterWnd &outerSplitter() const { return *m_outer; }
    CKivSplitterWnd &innerSplitter() const { return *m_inner; }
    QToolBar *toolBar(const QString &objectName) const;
    QToolBar *playerBar() const { return m_playerBar; }
    QWidget *view(int entry) const { return m_views.at(size_t(entry)); }
    CKivScanMonitor &scanMonitor() const { return *m_scanMonitor; }
    CKivPlayerDisplay &playerDisplay() const { return *m_playerDisplay; }
    CKivPlaylistView &playlistView() const;
    CKivSleepTimer &sleepTimer() const { return *m_sleepTimer; }

    // --- the player of a login
    // A new player for the login that starts now, joined to the list views and the player bar.
    void openPlayer();
    // The login ends: the player goes and the playlist is emptied for the next user.
    void closePlayer();
    // Writes the playlist to its file (before a user switch and at the end).
    void savePlaylist();
    CKivPlayerSession *playerSession() const { return m_player.get(); }

    // Saves bars, shortcuts, context menus and both splitters for the user and removes the tray
    // icon; runs once when the window closes.
    void saveUserState();
    // Before a user switch: stores the bars, shortcuts, context menus, splitters and list columns
    // of the user stored now.
    void storeUserState();
    // After a user switch: shows the arrangement of the user stored now (bars, shortcuts, context
    // menus, splitters, list columns); what he never stored comes back to the defaults.
    void loadUserState();

public Q_SLOTS:
    // Status panes 1 to 3: selected / total rows, summed size, summed play time.
    void setStatusPanes(const QString &count, const QString &size, const QString &time);
    // Enabled and checked of every command.
    void updateStates();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    QMenu *createPopupMenu() override;

private:
    void createCommands();
    void createBars();
    void createClientArea();
    void wireFrameCommands();
    void wireDocumentCommands();
    void wirePlayerCommands();
    void wireLayoutCommands();
    void rightLayoutChosen(int commandId);
    void focusChanged(QWidget *now);
    void searchEntered(const QString &text);
    void openFile();
    void showCatalog();
    void runSettings();
    void connectViewSignals(QWidget *view);
    QString userName() const;
    void setSplitterSections();
    QList<CKivMp3ListView *> listViews() const;

    CMelvoraDoc &m_doc;
    CKivSettings &m_settings;
    CKivDatabase &m_db;
    CKivFilter &m_filter;
    CKivCommandRegistry *m_commands;
    std::unique_ptr<CKivToolBarManager> m_bars;
    CKivFrameStatusBar *m_statusBar = nullptr;
    CKivSearchBar *m_searchBar = nullptr;
    QToolBar *m_playerBar = nullptr;
    CKivPlayerDisplay *m_playerDisplay = nullptr;
    CKivSleepTimer *m_sleepTimer = nullptr;
    std::unique_ptr<CKivPlayerSession> m_player;
    CKivSplitterWnd *m_outer = nullptr;
    CKivSplitterWnd *m_inner = nullptr;
    std::array<QWidget *, 8> m_views{};
    CKivFrameLayouts *m_layouts = nullptr;
    CKivFrameTray *m_tray = nullptr;
    CKivScanMonitor *m_scanMonitor = nullptr;
    QTimer *m_stateTimer = nullptr;
    QByteArray m_defaultDockState;
    bool m_keyboardLoaded = false;
    bool m_saved = false;
};
