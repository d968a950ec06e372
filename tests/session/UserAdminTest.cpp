#include "catalog/PasswordHash.h"
#include "app/session/UserAdminForm.h"
#include "catalog/RsBenutzer.h"
#include "catalog/RsMedienUser.h"
#include "session/SessionTests.h"
#include "support/TestRegistry.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"

#include <QTest>

// The user administration's states (-1 nothing loaded, 0 entering, ID loaded), the lock by the old
// password, the refusal to delete a user with media, and that a password is never shown or lost.
class UserAdminTest : public QObject
{
    Q_OBJECT

    using F = CKivUserAdminForm;
    CatalogFixture m_f;

    static void enterNewUser(CKivUserAdminForm &form, const QString &name, const QString &password)
    {
        form.New();
        QVERIFY(form.SetText(F::UserName, name));
        QVERIFY(form.SetText(F::FirstName, QStringLiteral("Vor")));
        QVERIFY(form.SetText(F::Surname, QStringLiteral("Nach")));
        QVERIFY(form.SetText(F::Email, QStringLiteral("a@b.c")));
        QVERIFY(form.SetText(F::Password, password));
    }

    static QList<bool> enabled(const CKivUserAdminForm &form)
    {
        QList<bool> states;
        for (int i = 0; i < F::FieldCount; ++i)
            states.append(form.IsEnabled(static_cast<F::Field>(i)));
        states.append(form.IsDeleteEnabled());
        return states;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_f.recreate()); }

    void newUsersAreInsertedHashedAndListedNewestFirst()
    {
        m_f.addUser(QStringLiteral("Alt"));
        CKivUserAdminForm form(m_f.db());
        form.Refill();
        QCOMPARE(form.CurrentId(), -1);
        QCOMPARE(enabled(form), QList<bool>(7, false));
        QVERIFY(!form.SetText(F::UserName, QStringLiteral("x")));  // nothing loaded: nothing to type into

        enterNewUser(form, QStringLiteral("Neu"), QStringLiteral("pw"));
        QCOMPARE(form.CurrentId(), 0);
        QCOMPARE(enabled(form), (QList<bool>{true, true, true, true, true, false, false}));
        form.Save();
        QCOMPARE(form.CurrentId(), -1);
        QCOMPARE(form.Entries().size(), 2);
        QCOMPARE(form.Entries().at(0).name, QStringLiteral("Neu"));
        const QString stored = m_f.storedPassword(form.Entries().at(0).id);
        QVERIFY(KivPassword::IsHashed(stored));
        QVERIFY(KivPassword::Verify(stored, QStringLiteral("pw")));

        // A click while entering inserts the one entered and loads nobody.
        enterNewUser(form, QStringLiteral("Dritter"), QString());
        form.Click(form.Entries().at(1).id);
        QCOMPARE(form.CurrentId(), -1);
        QCOMPARE(form.Entries().size(), 3);
        QCOMPARE(form.Entries().at(0).name, QStringLiteral("Dritter"));
        QCOMPARE(m_f.storedPassword(form.Entries().at(0).id), QStringLiteral(""));
    }

    void aUserWithAPasswordIsLockedUntilTheOldPasswordIsTyped()
    {
        const int id = m_f.addUser(QStringLiteral("Hans"), *KivPassword::Hash(QStringLiteral("Abc")));
        CKivUserAdminForm form(m_f.db());
        form.Refill();
        form.Click(id);
        QCOMPARE(form.CurrentId(), id);
        QCOMPARE(form.Text(F::UserName), QStringLiteral("Hans"));
        QCOMPARE(form.Text(F::Password), QString());  // never shown back
        QVERIFY(form.LoadedUserHasPassword());
        QCOMPARE(enabled(form), (QList<bool>{false, false, false, false, false, true, false}));
        QVERIFY(!form.SetText(F::FirstName, QStringLiteral("Fremd")));

        QVERIFY(form.SetText(F::OldPassword, QStringLiteral("abc")));
        QVERIFY(!form.CheckOldPassword());
        QCOMPARE(enabled(form), (QList<bool>{false, false, false, false, false, true, false}));
        form.Delete();  // locked: nothing happens
        QVERIFY(!m_f.storedPassword(id).isNull());

        QVERIFY(form.SetText(F::OldPassword, QStringLiteral("Abc")));
        QVERIFY(form.CheckOldPassword());
        // The user name stays fixed for a loaded user.
        QCOMPARE(enabled(form), (QList<bool>{false, true, true, true, true, false, true}));
    }

    void aUserWithoutPasswordIsOpenAndCanBeDeletedAtOnce()
    {
        const int id = m_f.addUser(QStringLiteral("Eva"));
        CKivUserAdminForm form(m_f.db());
        form.Refill();
        form.Click(id);
        QCOMPARE(enabled(form), (QList<bool>{false, true, true, true, true, false, true}));
        form.Delete();
        QCOMPARE(form.CurrentId(), -1);
        QVERIFY(form.Entries().isEmpty());
        QVERIFY(m_f.storedPassword(id).isNull());
    }

    void clickingAnotherUserStoresTheEditsWithoutAsking()
    {
        const int first = m_f.addUser(QStringLiteral("Eva"));
        const int second = m_f.addUser(QStringLiteral("Max"));
        CKivUserAdminForm form(m_f.db());
        form.Refill();
        form.Click(first);
        QVERIFY(form.SetText(F::Email, QStringLiteral("neu@example.org")));
        form.Click(second);
        QCOMPARE(form.CurrentId(), second);
        QCOMPARE(form.Text(F::Email), QStringLiteral("Max@example.org"));
        CRsBenutzer row(m_f.db());
        QVERIFY(row.OpenById(first));
        QCOMPARE(row.m_Email, QStringLiteral("neu@example.org"));
        QCOMPARE(row.m_Benutzername, QStringLiteral("Eva"));
        QCOMPARE(row.m_Passwort, QStringLiteral(""));  // the untouched empty password stays empty
    }

    void savingKeepsTheStoredPasswordUnlessTheFieldWasEdited()
    {
        const QString hash = *KivPassword::Hash(QStringLiteral("Abc"));
        const int id = m_f.addUser(QStringLiteral("Hans"), hash);
        CKivUserAdminForm form(m_f.db());
        form.Refill();
        form.Click(id);
        QVERIFY(form.SetText(F::OldPassword, QStringLiteral("Abc")));
        QVERIFY(form.CheckOldPassword());
        QVERIFY(form.SetText(F::FirstName, QStringLiteral("Johann")));
        form.Save();
        QCOMPARE(m_f.storedPassword(id), hash);

        form.Click(id);
        QVERIFY(form.SetText(F::OldPassword, QStringLiteral("Abc")));
        QVERIFY(form.CheckOldPassword());
        QVERIFY(form.SetText(F::Password, QStringLiteral("Neu")));
        form.Save();
        QVERIFY(KivPassword::Verify(m_f.storedPassword(id), QStringLiteral("Neu")));

        // Emptying the field on purpose removes the password.
        form.Click(id);
        QVERIFY(form.SetText(F::OldPassword, QStringLiteral("Neu")));
        QVERIFY(form.CheckOldPassword());
        QVERIFY(form.SetText(F::Password, QStringLiteral("x")));
        QVERIFY(form.SetText(F::Password, QString()));
        form.Save();
        QCOMPARE(m_f.storedPassword(id), QStringLiteral(""));
    }

    void aPlainTextPasswordUnlocksAndIsStoredHashedOnSave()
    {
        const int id = m_f.addUser(QStringLiteral("Alt"), QStringLiteral("Klartext"));
        CKivUserAdminForm form(m_f.db());
        form.Refill();
        form.Click(id);
        QVERIFY(form.SetText(F::OldPassword, QStringLiteral("Klartext")));
        QVERIFY(form.CheckOldPassword());
        form.Save();
        const QString stored = m_f.storedPassword(id);
        QVERIFY(KivPassword::IsHashed(stored));
        QVERIFY(KivPassword::Verify(stored, QStringLiteral("Klartext")));
    }

    void aUserWithMediaCannotBeDeleted()
    {
        const int id = m_f.addUser(QStringLiteral("Eva"));
        CRsMedienUser assignment(m_f.db());
        assignment.AddNew();
        assignment.m_MediumID = 1;
        assignment.m_UserID = id;
        assignment.m_Drive = QStringLiteral("/");
        assignment.m_Path = QStringLiteral("music/");
        QVERIFY(assignment.Update());

        RecordingUi ui;
        CKivUserAdminForm form(m_f.db());
        form.Refill();
        form.Click(id);
        form.Delete();
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().at(0).caption, QStringLiteral("Warnung !"));
        QCOMPARE(ui.messages().at(0).text, QStringLiteral("Der Benutzer kann nicht gelöscht werden. Löschen "
                                                          "Sie\nbitte zuvor alle Medien des Benutzers !"));
        QCOMPARE(form.CurrentId(), id);
        QCOMPARE(form.Entries().size(), 1);
    }

    void aUserDeletedMeanwhileStopsTheClick()
    {
        const int gone = m_f.addUser(QStringLiteral("Weg"));
        const int other = m_f.addUser(QStringLiteral("Da"));
        CKivUserAdminForm form(m_f.db());
        form.Refill();
        form.Click(gone);
        CRsBenutzer row(m_f.db());
        QVERIFY(row.OpenById(gone));
        QVERIFY(row.Delete());
        form.Click(other);
        QCOMPARE(form.CurrentId(), gone);  // storing the loaded user failed: nothing else is loaded
        QVERIFY(m_f.storedPassword(gone).isNull());
    }
};

MELVORA_TEST(UserAdminTest, sessionSetUp);

#include "UserAdminTest.moc"
