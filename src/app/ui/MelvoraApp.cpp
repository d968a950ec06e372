#include "app/ui/MelvoraApp.h"

#include "core/Settings.h"
#include "mp3/TagSettings.h"
#include "core/StartFolder.h"
#include "core/UserInterface.h"
#include "app/session/UserSwitch.h"
#include "app/ui/LoginDlg.h"
#include "app/ui/SplashDlg.h"
#include "app/ui/UserAdminDlg.h"
#include "app/ui/WidgetUi.h"
#include "app/ui/frame/CommandTable.h"
#include "app/ui/frame/DialogLauncher.h"
#include "app/ui/frame/MainFrame.h"
#include "app/ui/frame/ManualWindow.h"
#include "core/QtTranslations.h"
#include "browse/Filter.h"
#include "browse/MelvoraDoc.h"
#include "catalog/CatalogUpgradeOffer.h"
#include "catalog/Database.h"
#include "controls/ui/CommandRegistry.h"
#include "setup/FirstStart.h"
#include "setup/Installation.h"

CMelvoraApp::CMelvoraApp(int &argc, char **argv)
    : QApplication(argc, argv)
    , m_splashMs(CKivSplashDlg::DefaultDurationMs)
{
    setApplicationName(QStringLiteral("Melvora"));
    setOrganizationName(QStringLiteral("KIV"));
    setWindowIcon(QIcon(QStringLiteral(":/melvora/ui/melvora.svg")));
    KivQtTranslations::install(*this);
}

CMelvoraApp::~CMelvoraApp()
{
    ExitInstance(0);
}

CMelvoraApp *CMelvoraApp::Get()
{
    return qobject_cast<CMelvoraApp *>(QCoreApplication::instance());
}

QMainWindow *CMelvoraApp::GetMainWindow() const
{
    return m_frame.get();
}

QString CMelvoraApp::NoDatabaseText()
{
    return QStringLiteral("Das Programm kann nicht gestartet werden, da keine Datenbankverbindung gefunden "
                          "wurde.\nStarten Sie das Programm erneut und wählen Sie eine Datenbank aus !\nSollte das "
                          "Problem weiterhin bestehen wenden Sie sich an ")
           + WebSite() + QLatin1Char('.');
}

bool CMelvoraApp::InitInstance()
{
    // 1. The folder the program was started in, kept for "Setup.ini", playlists and the helper.
    KivStartFolder::path();

    // 2. The profile store (the user's unless a test gave another), and the message boxes on it.
    m_settings = m_injectedStore ? std::make_unique<CKivSettings>(*m_injectedStore) : std::make_unique<CKivSettings>();
    m_ui = std::make_unique<CKivWidgetUi>(*m_settings);
    m_ui->setFilterDialog(KivDialogs::filterHook());

    // 3. The start picture, until its time is over or it is clicked.
    {
        CKivSplashDlg splash(m_splashMs);
        splash.run();
    }

    // 4. The icon lists of the folder tree and the file list.
    m_firstProgramIcon = CKivIconList::BuildLists(m_smallIcons, m_largeIcons);

    // 5. A fresh installation's values, before anything reads them. A user of the system package
    // has no installation of his own: without any catalog, the program offers to create one for him
    // and works from that folder from then on.
    if (!m_settings->ImportSetupRecord() && !m_injectedStore && KivFirstStart::NeedsCatalog(*m_settings)) {
        const QString folder = KivFirstStart::OfferDefaultCatalog(
            KivFirstStart::PackageSourceFolder(applicationDirPath()), CKivInstallation::DefaultInstallFolder());
        if (!folder.isEmpty()) {
            KivStartFolder::set(folder);
            m_settings->ImportSetupRecord();
        }
    }
    KivTagSettings::Apply(*m_settings);

    // 6. The catalog connection; the user may fix it in the connection dialog.
    m_db = std::make_unique<CKivDatabase>(*m_settings);
    const bool connected = m_db->Connect(true);
    if (!connected) {
        kivUi().showMessage(NoDatabaseText(), NoDatabaseCaption(), KivIcon::Exclamation);
        m_startFailureCode = 1;
        return false;
    }

    // 7. The filter.
    m_filter = std::make_unique<CKivFilter>(*m_settings);

    // 8. and 9. No file is opened from the command line: the start is the first login, which
    // creates the document and its window.
    OnSwitchUser();
    if (!m_doc) {
        m_startFailureCode = 0;
        return false;
    }

    // 10.
    m_frame->showMaximized();
    m_frame->repaint();
    return true;
}

int CMelvoraApp::ExitInstance(int exitCode)
{
    // The window goes before the document it shows, the document before what it works on.
    m_frame.reset();
    m_doc.reset();
    m_filter.reset();
    m_db.reset();
    m_smallIcons.clear();
    m_largeIcons.clear();
    m_ui.reset();
    m_settings.reset();
    return exitCode;
}

void CMelvoraApp::OnSwitchUser()
{
    if (!m_db || !m_settings)
        return;
    // The playlist goes to the file of the user who has it now, before the login dialog names another.
    if (m_frame && m_doc && !m_doc->IsImporting())
        m_frame->savePlaylist();
    CKivUserSwitch userSwitch;
    userSwitch.isImporting = [this] { return m_doc && m_doc->IsImporting(); };
    userSwitch.runLoginDialog = [this]() -> std::optional<CKivUserSwitch::Login> {
        // The login stores the new user's name: what the present one arranged is kept first.
        if (m_frame)
            m_frame->storeUserState();
        CKivLoginDlg dialog(*m_settings, *m_db);
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        return CKivUserSwitch::Login{dialog.GetUserName(), dialog.GetUserId()};
    };
    userSwitch.loggedIn = [this](const CKivUserSwitch::Login &login) { loggedIn(login.userName, login.userId); };
    userSwitch.Run(*m_db);
}

void CMelvoraApp::loggedIn(const QString &userName, int userId)
{
    if (!m_doc) {
        m_doc = std::make_unique<CMelvoraDoc>(*m_settings, *m_db, *m_filter);
        // A refill of a large list must not hold up the window: its rows arrive in steps.
        m_doc->SetListsLoadInSteps(true);
        m_doc->OnNewDocument();
        createFrame();
    } else {
        // The former login's player and playlist go before the document drops its lists and media.
        m_frame->closePlayer();
        m_doc->OnNewDocument();
        m_frame->loadUserState();
    }
    m_frame->showMaximized();
    // Once per run: a catalog of an earlier version may lack the indexes that make searching fast.
    if (!m_upgradeOffered) {
        m_upgradeOffered = true;
        KivCatalogUpgradeOffer::Run(*m_db);
    }
    m_frame->openPlayer();
    m_doc->OnLogin(userName, userId);
}

void CMelvoraApp::createFrame()
{
    m_frame = std::make_unique<CMainFrame>(*m_doc, *m_settings, *m_db, *m_filter);
    CKivCommandRegistry &commands = m_frame->commands();
    commands.setHandler(KivCommandTable::SwitchUser, {[this] { OnSwitchUser(); }, {}});
    commands.setHandler(KivCommandTable::UserAdmin, {[this] { OnUserAdmin(); }, {}});
    commands.setHandler(KivCommandTable::Manual, {[this] { OnManual(); }, {}});
    m_ui->setMediumDialog(
        [this](CKivMedium &medium) { return m_doc && KivDialogs::runMedium(medium, *m_doc, m_frame.get()); });
    m_frame->updateStates();
}

void CMelvoraApp::OnManual()
{
    if (m_settings)
        CKivManualWindow::showManual(*m_settings, m_frame.get());
}

void CMelvoraApp::OnUserAdmin()
{
    if (!m_db)
        return;
    CKivUserAdminDlg dialog(*m_db, activeWindow());
    dialog.exec();
}
