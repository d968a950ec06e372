#include "core/Settings.h"
#include "catalog/PasswordHash.h"
#include "app/ui/ConnectionDlg.h"
#include "app/ui/NewConnectionDlg.h"
#include "app/ui/SplashDlg.h"
#include "app/ui/UserAdminDlg.h"
#include "app/ui/WidgetUi.h"
#include "appui/AppUiTests.h"
#include "catalog/RsBenutzer.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"
#include "support/AccessibleNames.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <thread>

// The user administration, connection and splash dialogs driven like a user would, and the message
// boxes of the core's user interface, also when a worker thread asks.
class SessionDlgTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_f;

    int addUser(const QString &name, const QString &password)
    {
        CRsBenutzer user(m_f.db());
        user.AddNew();
        user.m_Benutzername = name;
        user.m_Vorname = QStringLiteral("Vor ") + name;
        user.m_Passwort = password.isEmpty() ? QStringLiteral("") : *KivPassword::Hash(password);
        return user.Update() ? user.m_ID : 0;
    }

    static void clickRow(QTableWidget *list, int row)
    {
        const QRect rect = list->visualItemRect(list->item(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }

    template <typename T>
    static T *child(QWidget *parent, const char *name)
    {
        return parent->findChild<T *>(QLatin1String(name));
    }

private Q_SLOTS:
    void init() { QVERIFY(m_f.recreate()); }
    void cleanup()
    {
        m_f.settings().SetOdbcAliasname(CatalogFixture::dataSourceName());
        CKivConnectionDlg::setFileChooser({});
    }

    void userAdministrationLoadsOnClickOnlyAndUnlocksByTheOldPassword()
    {
        const int eva = addUser(QStringLiteral("Eva"), QString());
        const int hans = addUser(QStringLiteral("Hans"), QStringLiteral("Abc"));
        CKivUserAdminDlg dialog(m_f.db());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY2(KivAccessibleNames::unnamed(&dialog).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&dialog).join(QLatin1Char(' '))));
        auto *list = child<QTableWidget>(&dialog, "userList");
        auto *firstName = child<QLineEdit>(&dialog, "firstName");
        auto *password = child<QLineEdit>(&dialog, "password");
        auto *oldPassword = child<QLineEdit>(&dialog, "oldPassword");
        auto *remove = child<QPushButton>(&dialog, "deleteButton");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Benutzerverwaltung:"));
        QCOMPARE(list->rowCount(), 2);
        QCOMPARE(list->item(0, 0)->text(), QStringLiteral("Hans"));  // newest first
        QVERIFY(!firstName->isEnabled());

        clickRow(list, 1);
        QCOMPARE(dialog.form().CurrentId(), eva);
        QCOMPARE(firstName->text(), QStringLiteral("Vor Eva"));
        QVERIFY(firstName->isEnabled() && remove->isEnabled() && !oldPassword->isEnabled());

        // Moving the selection with the keys loads nobody.
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(dialog.form().CurrentId(), eva);

        clickRow(list, 0);
        QCOMPARE(dialog.form().CurrentId(), hans);
        QVERIFY(!firstName->isEnabled() && !password->isEnabled() && !remove->isEnabled());
        QVERIFY(oldPassword->isEnabled());
        QVERIFY(password->text().isEmpty());
        QVERIFY(!password->placeholderText().isEmpty());  // there is a password, it is kept

        QTest::keyClicks(oldPassword, QStringLiteral("Ab"));
        QTest::qWait(CKivUserAdminDlg::OldPasswordDelayMs + 100);
        QVERIFY(!firstName->isEnabled());
        QTest::keyClicks(oldPassword, QStringLiteral("c"));
        QTRY_VERIFY(firstName->isEnabled());
        QVERIFY(password->isEnabled() && remove->isEnabled() && !oldPassword->isEnabled());

        QTest::mouseClick(child<QPushButton>(&dialog, "newButton"), Qt::LeftButton);
        QCOMPARE(dialog.form().CurrentId(), 0);
        QVERIFY(child<QLineEdit>(&dialog, "userName")->isEnabled());
        QTest::keyClicks(child<QLineEdit>(&dialog, "userName"), QStringLiteral("Neu"));
        QTest::mouseClick(child<QPushButton>(&dialog, "saveButton"), Qt::LeftButton);
        QCOMPARE(list->rowCount(), 3);
        QCOMPARE(list->item(0, 0)->text(), QStringLiteral("Neu"));
        QVERIFY(list->selectedItems().isEmpty());
    }

    void connectionDialogOffersTheFileChoiceAtOnceWithoutAConnection()
    {
        m_f.db().Close();
        m_f.settings().SetOdbcAliasname(QString());
        int choices = 0;
        CKivConnectionDlg::setFileChooser([&](QWidget *) {
            ++choices;
            return QString();
        });
        RecordingUi ui;
        CKivConnectionDlg dialog(m_f.settings(), m_f.db());
        dialog.show();
        QVERIFY2(KivAccessibleNames::unnamed(&dialog).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&dialog).join(QLatin1Char(' '))));
        QTRY_COMPARE(choices, 1);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Datenbankverbindung"));
        QCOMPARE(child<QLabel>(&dialog, "status")->text(), QStringLiteral("Nicht Verbunden"));
        QCOMPARE(child<QLineEdit>(&dialog, "aliasname")->text(), QStringLiteral("Melvora"));

        QTest::mouseClick(child<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Warnung !"));
        QVERIFY(dialog.isVisible());  // stays open for another try
        QCOMPARE(choices, 1);
    }

    void newConnectionRefusesIncompleteValuesAndKeepsTheDialogOpen()
    {
        RecordingUi ui;
        CKivConnectionDlg connection(m_f.settings(), m_f.db());
        QCOMPARE(child<QPushButton>(&connection, "newConnectionButton")->text(), QStringLiteral("Neue Verbindung..."));

        CKivNewConnectionDlg dialog(QStringLiteral("Haus"));
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Neue Verbindung"));
        QCOMPARE(child<QLineEdit>(&dialog, "dataSourceName")->text(), QStringLiteral("Haus"));
        QCOMPARE(child<QLineEdit>(&dialog, "port")->text(), QStringLiteral("5432"));
        QCOMPARE(child<QLineEdit>(&dialog, "password")->echoMode(), QLineEdit::Password);
        QCOMPARE(child<QComboBox>(&dialog, "encryption")->count(), 4);
        QCOMPARE(child<QComboBox>(&dialog, "encryption")->currentIndex(), 1);
        QVERIFY2(KivAccessibleNames::unnamed(&dialog).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&dialog).join(QLatin1Char(' '))));
        // No server named: refused with a warning, nothing registered, the dialog stays open.
        QTest::mouseClick(child<QPushButton>(&dialog, "okButton"), Qt::LeftButton);
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Warnung !"));
        QVERIFY(ui.messages().at(0).text.startsWith(QStringLiteral("Bitte geben Sie")));
        QVERIFY(dialog.isVisible());
    }

    void theSplashClosesAtTheFirstClickOrAfterItsTime()
    {
        CKivSplashDlg clicked(60000);
        clicked.show();
        QVERIFY(QTest::qWaitForWindowExposed(&clicked));
        QVERIFY(clicked.isModal());
        QCOMPARE(clicked.findChild<QLabel *>(QStringLiteral("buildLine"))->text(), QStringLiteral("Build: 1.1.01 Beta"));
        QTest::mouseClick(&clicked, Qt::RightButton);
        QVERIFY(clicked.isVisible());
        QTest::mouseClick(&clicked, Qt::LeftButton);
        QVERIFY(!clicked.isVisible());

        CKivSplashDlg timed(50);
        QElapsedTimer elapsed;
        elapsed.start();
        timed.run();
        QCOMPARE(timed.result(), int(QDialog::Accepted));
        QVERIFY(elapsed.elapsed() < 5000);
        // A time that runs out while the window comes up does not leave it waiting.
        CKivSplashDlg instant(0);
        instant.run();
        QCOMPARE(instant.result(), int(QDialog::Accepted));
    }

    void aWorkerThreadsMessageWaitsForTheUserOnTheUiThread()
    {
        CKivWidgetUi ui(m_f.settings());
        QString seen;
        whenModal<QMessageBox>([&](QMessageBox *box) {
            seen = box->windowTitle() + QLatin1Char('|') + box->text();
            QCOMPARE(box->icon(), QMessageBox::Question);
            box->button(QMessageBox::Yes)->click();
        });
        std::atomic<int> answer{-1};
        std::thread worker([&] {
            answer = int(kivUi().showMessage(QStringLiteral("Weiter ?"), QStringLiteral("Frage"), KivIcon::Question,
                                             KivButtons::YesNo));
        });
        QTRY_VERIFY(answer != -1);
        worker.join();
        QCOMPARE(answer.load(), int(KivAnswer::Yes));
        QCOMPARE(seen, QStringLiteral("Frage|Weiter ?"));
    }
};

int runSessionDlgTest(int argc, char **argv)
{
    SessionDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "SessionDlgTest.moc"
