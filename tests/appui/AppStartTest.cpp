#include "core/Settings.h"
#include "core/SetupRecord.h"
#include "core/StartFolder.h"
#include "catalog/PasswordHash.h"
#include "app/ui/ConnectionDlg.h"
#include "app/ui/LoginDlg.h"
#include "app/ui/MelvoraApp.h"
#include "app/ui/WidgetUi.h"
#include "app/ui/frame/FrameStatusBar.h"
#include "app/ui/frame/MainFrame.h"
#include "appui/AppUiTests.h"
#include "browse/MelvoraDoc.h"
#include "catalog/RsBenutzer.h"
#include "controls/ui/CommandRegistry.h"
#include "support/CatalogFixture.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

// The program's start-up in its order: hand-over import, connection (with the dialog and the end of
// the program when it fails), the login that creates the document and its window, and the user
// switch that is refused while the document imports.
class AppStartTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_f;
    QTemporaryDir m_startFolder;

    CMelvoraApp &app() { return *CMelvoraApp::Get(); }

    void addUser(const QString &name, const QString &password)
    {
        CRsBenutzer user(m_f.db());
        user.AddNew();
        user.m_Benutzername = name;
        user.m_Passwort = password.isEmpty() ? QStringLiteral("") : *KivPassword::Hash(password);
        QVERIFY(user.Update());
    }

    // Logs in at the next login dialog with this password, or cancels it.
    static void whenLoginDialog(const QString &password, bool cancel = false)
    {
        whenModal<CKivLoginDlg>([password, cancel](CKivLoginDlg *dialog) {
            if (cancel) {
                dialog->reject();
                return;
            }
            dialog->findChild<QLineEdit *>(QStringLiteral("password"))->setText(password);
            dialog->findChild<QPushButton *>(QStringLiteral("loginButton"))->click();
        });
    }

    // Closes the next message box and keeps its caption and text.
    static void whenMessage(QString *seen)
    {
        whenModal<QMessageBox>([seen](QMessageBox *box) {
            *seen = box->windowTitle() + QLatin1Char('|') + box->text();
            box->button(box->standardButtons().testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok)->click();
        });
    }

private Q_SLOTS:
    void initTestCase()
    {
        KivStartFolder::set(m_startFolder.path());
        app().SetProfileStore(&m_f.settings().store());
        app().SetSplashDuration(1);
    }

    void init()
    {
        QVERIFY(m_f.recreate());
        m_f.settings().SetOdbcAliasname(CatalogFixture::dataSourceName());
    }

    void cleanup()
    {
        app().ExitInstance(0);
        CKivConnectionDlg::setFileChooser({});
        QFile::remove(m_startFolder.filePath(CKivSetupRecord::FileName));
    }

    void aFreshInstallationStartsWithItsUserAndEndsInTheMainWindow()
    {
        addUser(QStringLiteral("Eva"), QString());
        addUser(QStringLiteral("Hans"), QStringLiteral("pw"));
        m_f.settings().SetUserName(QStringLiteral("Eva"));
        CKivSetupRecord record;
        record.SetDataSourceName(CatalogFixture::dataSourceName());
        record.SetUserName(QStringLiteral("Hans"));
        QVERIFY(record.save(m_startFolder.filePath(CKivSetupRecord::FileName)));

        QString chosen;
        whenModal<CKivLoginDlg>([&chosen](CKivLoginDlg *dialog) {
            chosen = dialog->GetUserName();
            dialog->findChild<QLineEdit *>(QStringLiteral("password"))->setText(QStringLiteral("pw"));
            dialog->findChild<QPushButton *>(QStringLiteral("loginButton"))->click();
        });
        QVERIFY(app().InitInstance());
        QCOMPARE(chosen, QStringLiteral("Hans"));  // the hand-over's user, imported before the login
        QVERIFY(app().GetDocument());
        QCOMPARE(app().GetDocument()->GetUserName(), QStringLiteral("Hans"));
        QMainWindow *window = app().GetMainWindow();
        QVERIFY(window && window->isVisible());
        auto *frame = qobject_cast<CMainFrame *>(window);
        QVERIFY(frame);
        QCOMPARE(frame->frameStatusBar()->paneText(CKivFrameStatusBar::User), QStringLiteral("Hans"));
        QCOMPARE(frame->frameStatusBar()->paneText(CKivFrameStatusBar::Connection), QStringLiteral("Online"));
        QAction *switchUser = frame->commands().action(CMelvoraApp::IdSwitchUser);
        QCOMPARE(switchUser->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
        QCOMPARE(switchUser->statusTip(), QStringLiteral("Öffnet einen anderen Benutzer."));
        frame->updateStates();
        QVERIFY(switchUser->isEnabled());  // the application's handler is in place
        // The first login consumed the hand-over.
        QVERIFY(!QFile::exists(m_startFolder.filePath(CKivSetupRecord::FileName)));
        QVERIFY(app().GetFirstProgramIcon() > 0);
        QCOMPARE(app().GetSmallIcons().count(), app().GetFirstProgramIcon() + 11);
        QVERIFY(!app().GetSmallIcons().icon(app().GetFirstProgramIcon() + 10).isNull());
    }

    void aUserSwitchIsRefusedWhileImportingAndCancelKeepsTheUser()
    {
        addUser(QStringLiteral("Eva"), QString());
        addUser(QStringLiteral("Max"), QString());
        m_f.settings().SetUserName(QStringLiteral("Eva"));
        whenLoginDialog(QString());
        QVERIFY(app().InitInstance());
        CMelvoraDoc *doc = app().GetDocument();

        doc->SetArchiveImportRunning(true);
        QString seen;
        whenMessage(&seen);
        bool loginShown = false;
        const QPointer<QTimer> watcher = whenModal<CKivLoginDlg>([&loginShown](CKivLoginDlg *dialog) {
            loginShown = true;
            dialog->reject();
        });
        app().OnSwitchUser();
        QCOMPARE(seen, QStringLiteral("Benutzerwechsel nicht möglich !|Sie können keinen Benutzerwechsel "
                                      "durchführen,\n und gleichzeitig Mp3's importieren!"));
        QTest::qWait(50);
        QVERIFY(!loginShown);
        delete watcher.data();

        doc->SetArchiveImportRunning(false);
        whenLoginDialog(QString(), true);
        app().OnSwitchUser();
        QCOMPARE(app().GetDocument(), doc);
        QCOMPARE(doc->GetUserName(), QStringLiteral("Eva"));

        whenModal<CKivLoginDlg>([](CKivLoginDlg *dialog) {
            dialog->findChild<QComboBox *>(QStringLiteral("userList"))->setCurrentIndex(1);
            dialog->findChild<QPushButton *>(QStringLiteral("loginButton"))->click();
        });
        app().OnSwitchUser();
        QCOMPARE(app().GetDocument(), doc);  // the one document, re-initialised
        QCOMPARE(doc->GetUserName(), QStringLiteral("Max"));
    }

    void messageBoxesSpeakGerman()
    {
        CKivWidgetUi ui(m_f.settings());
        QStringList buttons;
        whenModal<QMessageBox>([&buttons](QMessageBox *box) {
            for (QMessageBox::StandardButton which : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
                buttons.append(box->button(which)->text().remove(QLatin1Char('&')));
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(ui.showMessage(QStringLiteral("Weiter ?"), QStringLiteral("Frage"), KivIcon::Question,
                                KivButtons::YesNoCancel),
                 KivAnswer::No);
        QCOMPARE(buttons, QStringList({QStringLiteral("Ja"), QStringLiteral("Nein"), QStringLiteral("Abbrechen")}));
    }

    void aCancelledFirstLoginEndsTheProgramSilently()
    {
        addUser(QStringLiteral("Eva"), QString());
        whenLoginDialog(QString(), true);
        QVERIFY(!app().InitInstance());
        QCOMPARE(app().StartFailureCode(), 0);
        QVERIFY(!app().GetMainWindow());
    }

    void withoutACatalogTheConnectionDialogComesThenTheProgramEnds()
    {
        m_f.settings().SetOdbcAliasname(QStringLiteral("KeineSolcheQuelle"));
        int choices = 0;
        CKivConnectionDlg::setFileChooser([&](QWidget *) {
            ++choices;
            return QString();
        });
        QString seen;
        whenModal<CKivConnectionDlg>([&seen](CKivConnectionDlg *dialog) {
            whenMessage(&seen);
            QTimer::singleShot(50, dialog, &QDialog::reject);
        });
        QVERIFY(!app().InitInstance());
        QCOMPARE(app().StartFailureCode(), 1);
        QCOMPARE(choices, 1);
        QCOMPARE(seen, QStringLiteral("Programm Abbruch !|") + CMelvoraApp::NoDatabaseText());
        QVERIFY(CMelvoraApp::NoDatabaseText().endsWith(CMelvoraApp::WebSite() + QLatin1Char('.')));
    }
};

int runAppStartTest(int argc, char **argv)
{
    AppStartTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "AppStartTest.moc"
