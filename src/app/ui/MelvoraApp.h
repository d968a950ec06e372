#pragma once

#include "app/ui/IconList.h"

#include <QApplication>

#include <memory>

class CKivDatabase;
class CKivFilter;
class CKivProfileStore;
class CKivSettings;
class CKivWidgetUi;
class CMainFrame;
class CMelvoraDoc;
class QMainWindow;

// The application object: starts the program, owns what lives as long as it (settings, catalog
// connection, filter, icon lists, the document and its window), logs a user in and switches users.
class CMelvoraApp : public QApplication
{
    Q_OBJECT

public:
    enum CommandId : int {
        IdConnection = 32771,
        IdUserAdmin = 32823,
        IdManual = 33025,
        IdSwitchUser = 57600,
        IdExit = 57665,
    };

    CMelvoraApp(int &argc, char **argv);
    ~CMelvoraApp() override;

    // The application object of the running program; null before it exists.
    static CMelvoraApp *Get();

    // Runs the start-up; true to run the program, false to end it at once.
    bool InitInstance();
    // Lets go of the icon lists and everything the run created; returns exitCode.
    int ExitInstance(int exitCode);
    // What the program ends with when InitInstance failed: 1 without a catalog connection, 0 when the
    // login was cancelled.
    int StartFailureCode() const { return m_startFailureCode; }

    // For tests and tools, before InitInstance: another profile store than the user's, and another
    // splash time.
    void SetProfileStore(CKivProfileStore *store) { m_injectedStore = store; }
    void SetSplashDuration(int ms) { m_splashMs = ms; }

    CKivDatabase &GetDatabase() const { return *m_db; }
    CKivSettings &GetSettings() const { return *m_settings; }
    CKivFilter &GetFilter() const { return *m_filter; }
    const CKivIconList &GetSmallIcons() const { return m_smallIcons; }
    const CKivIconList &GetLargeIcons() const { return m_largeIcons; }
    int GetFirstProgramIcon() const { return m_firstProgramIcon; }
    CMelvoraDoc *GetDocument() const { return m_doc.get(); }
    QMainWindow *GetMainWindow() const;
    CMainFrame *GetFrame() const { return m_frame.get(); }
    CKivWidgetUi &GetUi() const { return *m_ui; }

    static QString WebSite() { return QStringLiteral("www.melvora.de"); }
    static QString NoDatabaseText();
    static QString NoDatabaseCaption() { return QStringLiteral("Programm Abbruch !"); }

public Q_SLOTS:
    // Command 57600: connect, refuse while importing, run the login, and log the user in.
    void OnSwitchUser();
    // Command 32823: the user administration.
    void OnUserAdmin();
    // Command 33025: the manual.
    void OnManual();

private:
    void loggedIn(const QString &userName, int userId);
    void createFrame();

    int m_firstProgramIcon = 0;
    CKivIconList m_largeIcons;
    CKivIconList m_smallIcons;
    CKivProfileStore *m_injectedStore = nullptr;
    int m_splashMs;
    int m_startFailureCode = 0;
    // Declared in the order they depend on each other; destroyed the other way round.
    std::unique_ptr<CKivSettings> m_settings;
    std::unique_ptr<CKivWidgetUi> m_ui;
    std::unique_ptr<CKivDatabase> m_db;
    std::unique_ptr<CKivFilter> m_filter;
    std::unique_ptr<CMelvoraDoc> m_doc;
    std::unique_ptr<CMainFrame> m_frame;
    bool m_upgradeOffered = false;
};
