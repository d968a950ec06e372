#include "core/Settings.h"
#include "app/session/LoginForm.h"
#include "catalog/PasswordHash.h"
#include "app/session/UserSwitch.h"
#include "catalog/Database.h"
#include "session/SessionTests.h"
#include "support/TestRegistry.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"

#include <QSqlQuery>
#include <QTest>

// The login list, its preselection and remembered selection, "Anmelden", and the user switch with
// its refusals.
class LoginTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_f;

    static QStringList names(const CKivLoginForm &form)
    {
        QStringList result;
        for (const CKivLoginForm::Entry &entry : form.Entries())
            result.append(entry.name);
        return result;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_f.recreate()); }
    void cleanup() { m_f.settings().SetOdbcAliasname(CatalogFixture::dataSourceName()); }

    void listsUsersInTableOrderAndPreselectsByPrefixIgnoringCase()
    {
        m_f.addUser(QStringLiteral("Zoe"));
        const int hansi = m_f.addUser(QStringLiteral("Hansi"));
        m_f.addUser(QStringLiteral("Hans"));
        m_f.settings().SetUserName(QStringLiteral("hans"));

        CKivLoginForm form(m_f.settings(), m_f.db());
        form.Refill();
        QCOMPARE(names(form), (QStringList{QStringLiteral("Zoe"), QStringLiteral("Hansi"), QStringLiteral("Hans")}));
        // "hans" is a prefix of both: the first in table order wins, and becomes the stored name.
        QCOMPARE(form.CurrentIndex(), 1);
        QCOMPARE(form.GetUserId(), hansi);
        QCOMPARE(m_f.settings().GetUserName(), QStringLiteral("Hansi"));
    }

    void anUnreadableCatalogIsADatabaseErrorNotAWrongPassword()
    {
        m_f.addUser(QStringLiteral("Eva"));
        m_f.settings().SetUserName(QStringLiteral("Eva"));
        // The user table is gone, as in an empty or damaged catalog file.
        QSqlQuery away(m_f.db().connection());
        QVERIFY(away.exec(QStringLiteral("ALTER TABLE Benutzer RENAME TO BenutzerAway")));
        RecordingUi ui;
        CKivLoginForm form(m_f.settings(), m_f.db());
        form.Refill();
        QVERIFY(form.Entries().isEmpty());
        QVERIFY(!form.Accept(QString()));
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages()[0].caption, QStringLiteral("Datenbank Fehler"));
        QVERIFY(!ui.messages()[0].text.isEmpty());
        QVERIFY(away.exec(QStringLiteral("ALTER TABLE BenutzerAway RENAME TO Benutzer")));
    }

    void aStoredNameMatchingNobodySelectsNobody()
    {
        m_f.addUser(QStringLiteral("Eva"));
        m_f.settings().SetUserName(QStringLiteral("Adam"));
        RecordingUi ui;
        CKivLoginForm form(m_f.settings(), m_f.db());
        form.Refill();
        QCOMPARE(form.CurrentIndex(), -1);
        QCOMPARE(form.GetUserId(), -1);
        QVERIFY(!form.Accept(QString()));  // Eva has no password, but nobody is selected
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(m_f.settings().GetUserName(), QStringLiteral("Adam"));
    }

    void selectingRemembersTheNameBeforeAnyPasswordAndWrongPasswordsAreTold()
    {
        m_f.addUser(QStringLiteral("Eva"));
        const int hans = m_f.addUser(QStringLiteral("Hans"), *KivPassword::Hash(QStringLiteral("pw")));
        m_f.settings().SetUserName(QStringLiteral("Eva"));
        RecordingUi ui;
        CKivLoginForm form(m_f.settings(), m_f.db());
        form.Refill();
        form.Select(1);
        QCOMPARE(m_f.settings().GetUserName(), QStringLiteral("Hans"));

        QVERIFY(!form.Accept(QStringLiteral("PW")));
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Falsches Paßwort !"));
        QCOMPARE(ui.messages().at(0).text,
                 QStringLiteral("Das von Ihnen eingegebene Paßwort ist Falsch.\nBitte überprüfen Sie Ihre Eingabe !"));
        QCOMPARE(ui.messages().at(0).icon, KivIcon::Stop);
        QVERIFY(form.Accept(QStringLiteral("pw")));
        QCOMPARE(form.GetUserId(), hans);
        QCOMPARE(form.GetUserName(), QStringLiteral("Hans"));
    }

    void anEmptyTableOrNoConnectionListsNobodyAndRefusesEveryLogin()
    {
        RecordingUi ui;
        CKivLoginForm empty(m_f.settings(), m_f.db());
        empty.Refill();
        QVERIFY(empty.Entries().isEmpty());
        QVERIFY(!empty.Accept(QString()));

        m_f.addUser(QStringLiteral("Eva"));
        m_f.db().Close();
        CKivLoginForm offline(m_f.settings(), m_f.db());
        offline.Refill();
        QVERIFY(offline.Entries().isEmpty());
        QVERIFY(!offline.Accept(QString()));
        QCOMPARE(ui.messages().size(), 2);
        QCOMPARE(ui.messages().at(1).caption, QStringLiteral("Falsches Paßwort !"));
    }

    void aSwitchIsRefusedWhileImportingAndKeepsTheUser()
    {
        RecordingUi ui;
        int dialogs = 0;
        int logins = 0;
        CKivUserSwitch userSwitch;
        userSwitch.isImporting = [] { return true; };
        userSwitch.runLoginDialog = [&]() -> std::optional<CKivUserSwitch::Login> {
            ++dialogs;
            return CKivUserSwitch::Login{QStringLiteral("Eva"), 1};
        };
        userSwitch.loggedIn = [&](const CKivUserSwitch::Login &) { ++logins; };
        QVERIFY(!userSwitch.Run(m_f.db()));
        QCOMPARE(dialogs, 0);
        QCOMPARE(logins, 0);
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Benutzerwechsel nicht möglich !"));
        QCOMPARE(ui.messages().at(0).text, QStringLiteral("Sie können keinen Benutzerwechsel durchführen,\n und "
                                                          "gleichzeitig Mp3's importieren!"));

        userSwitch.isImporting = [] { return false; };
        QVERIFY(userSwitch.Run(m_f.db()));
        QCOMPARE(logins, 1);
        userSwitch.runLoginDialog = []() -> std::optional<CKivUserSwitch::Login> { return std::nullopt; };
        QVERIFY(!userSwitch.Run(m_f.db()));
        QCOMPARE(logins, 1);  // cancelled: whoever was logged in stays
    }

    void withoutAConnectionTheLoginDialogStillOpens()
    {
        m_f.db().Close();
        m_f.settings().SetOdbcAliasname(QStringLiteral("NoSuchMelvoraSource"));
        RecordingUi ui;
        ui.onConnectionDialog = [](CKivDatabase &) { return false; };
        int dialogs = 0;
        CKivUserSwitch userSwitch;
        userSwitch.runLoginDialog = [&]() -> std::optional<CKivUserSwitch::Login> {
            ++dialogs;
            return std::nullopt;
        };
        QVERIFY(!userSwitch.Run(m_f.db()));
        QCOMPARE(ui.connectionDialogs(), 1);
        QCOMPARE(dialogs, 1);
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Datenbank Fehler"));
        QCOMPARE(ui.messages().at(0).icon, KivIcon::Stop);
    }
};

MELVORA_TEST(LoginTest, sessionSetUp);

#include "LoginTest.moc"
