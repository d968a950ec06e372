#include "core/Settings.h"
#include "catalog/PasswordHash.h"
#include "app/ui/LoginDlg.h"
#include "app/ui/UserAdminDlg.h"
#include "appui/AppUiTests.h"
#include "catalog/RsBenutzer.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"
#include "support/AccessibleNames.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The login dialog as the user sees it: the list, the preselection, a wrong password, and "Benutzer"
// that creates a user the list then shows.
class LoginDlgTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_f;

    void addUser(const QString &name, const QString &password)
    {
        CRsBenutzer user(m_f.db());
        user.AddNew();
        user.m_Benutzername = name;
        user.m_Passwort = password.isEmpty() ? QStringLiteral("") : *KivPassword::Hash(password);
        QVERIFY(user.Update());
    }

    template <typename T>
    static T *child(QWidget *parent, const char *name)
    {
        return parent->findChild<T *>(QLatin1String(name));
    }

private Q_SLOTS:
    void init() { QVERIFY(m_f.recreate()); }

    void aWrongPasswordKeepsTheDialogOpenAndTheRightOneLogsIn()
    {
        addUser(QStringLiteral("Eva"), QString());
        addUser(QStringLiteral("Hans"), QStringLiteral("pw"));
        m_f.settings().SetUserName(QStringLiteral("HA"));
        RecordingUi ui;
        CKivLoginDlg dialog(m_f.settings(), m_f.db());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY2(KivAccessibleNames::unnamed(&dialog).isEmpty(), qPrintable(KivAccessibleNames::unnamed(&dialog).join(QLatin1Char(' '))));
        auto *users = child<QComboBox>(&dialog, "userList");
        auto *password = child<QLineEdit>(&dialog, "password");
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Melvora"));
        QCOMPARE(users->count(), 2);
        QCOMPARE(users->currentText(), QStringLiteral("Hans"));

        QTest::keyClicks(password, QStringLiteral("PW"));
        QTest::keyClick(password, Qt::Key_Return);
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Falsches Paßwort !"));
        QVERIFY(dialog.isVisible());
        QCOMPARE(password->text(), QStringLiteral("PW"));

        password->clear();
        QTest::keyClicks(password, QStringLiteral("pw"));
        QTest::mouseClick(child<QPushButton>(&dialog, "loginButton"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.GetUserName(), QStringLiteral("Hans"));
        QVERIFY(dialog.GetUserId() > 0);
    }

    void usersCreatedThroughBenutzerAppearInTheList()
    {
        m_f.settings().SetUserName(QString());
        CKivLoginDlg dialog(m_f.settings(), m_f.db());
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto *users = child<QComboBox>(&dialog, "userList");
        QCOMPARE(users->count(), 0);

        bool created = false;
        whenModal<CKivUserAdminDlg>([&](CKivUserAdminDlg *admin) {
            QTest::mouseClick(child<QPushButton>(admin, "newButton"), Qt::LeftButton);
            QTest::keyClicks(child<QLineEdit>(admin, "userName"), QStringLiteral("Erster"));
            QTest::mouseClick(child<QPushButton>(admin, "saveButton"), Qt::LeftButton);
            created = true;
            QTest::mouseClick(child<QPushButton>(admin, "closeButton"), Qt::LeftButton);
        });
        QTest::mouseClick(child<QPushButton>(&dialog, "usersButton"), Qt::LeftButton);
        QVERIFY(created);
        QCOMPARE(users->count(), 1);
        QCOMPARE(users->itemText(0), QStringLiteral("Erster"));
        // An empty stored name begins every name: the only user is selected.
        QCOMPARE(users->currentIndex(), 0);
    }
};

int runLoginDlgTest(int argc, char **argv)
{
    LoginDlgTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "LoginDlgTest.moc"
