#include "app/session/LoginCheck.h"
#include "catalog/PasswordHash.h"
#include "session/SessionTests.h"
#include "support/TestRegistry.h"
#include "support/CatalogFixture.h"

#include <QTest>

// Password hashes and the one login check: what is stored, what verifies, and the once-only
// acceptance of a plain-text password that is then stored hashed.
class PasswordTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_f;

private Q_SLOTS:
    void init() { QVERIFY(m_f.recreate()); }

    void hashesAreSaltedAndVerifyOnlyTheRightPassword()
    {
        const QString typed = QStringLiteral("Grüße, Hans!");
        const auto first = KivPassword::Hash(typed);
        const auto second = KivPassword::Hash(typed);
        QVERIFY(first && second);
        QVERIFY(KivPassword::IsHashed(*first));
        QVERIFY(*first != *second);  // salted
        QVERIFY(!first->contains(typed));
        QVERIFY(KivPassword::Verify(*first, typed));
        QVERIFY(!KivPassword::Verify(*first, QStringLiteral("grüße, hans!")));
        QVERIFY(!KivPassword::Verify(*first, QString()));
        // Whoever reads the column cannot log in by typing it.
        QVERIFY(!KivPassword::Verify(*first, *first));
    }

    void anEmptyPasswordStaysNoPassword()
    {
        const auto stored = KivPassword::Hash(QString());
        QVERIFY(stored && stored->isEmpty() && !stored->isNull());
        QVERIFY(KivPassword::Verify(QString(), QString()));
        QVERIFY(!KivPassword::Verify(QString(), QStringLiteral("x")));
    }

    void interactiveCostHashesVerify()
    {
        KivPassword::SetCost(KivPassword::Cost::Interactive);
        const auto stored = KivPassword::Hash(QStringLiteral("geheim"));
        KivPassword::SetCost(KivPassword::Cost::Minimal);
        QVERIFY(stored && stored->startsWith(QLatin1String("$argon2id$")));
        QVERIFY(KivPassword::Verify(*stored, QStringLiteral("geheim")));
    }

    void loginChecksHashedEmptyAndMissingUsers()
    {
        const int hashed = m_f.addUser(QStringLiteral("Hans"), *KivPassword::Hash(QStringLiteral("Abc")));
        const int open = m_f.addUser(QStringLiteral("Eva"));
        QVERIFY(KivLogin::Verify(m_f.db(), hashed, QStringLiteral("Abc")));
        QVERIFY(!KivLogin::Verify(m_f.db(), hashed, QStringLiteral("abc")));
        QVERIFY(KivLogin::Verify(m_f.db(), open, QString()));
        QVERIFY(!KivLogin::Verify(m_f.db(), open, QStringLiteral(" ")));
        // Nobody selected, and a user deleted since the list was filled, never log in.
        QVERIFY(!KivLogin::Verify(m_f.db(), -1, QString()));
        QVERIFY(!KivLogin::Verify(m_f.db(), open + 100, QString()));
    }

    void aPlainTextPasswordIsAcceptedOnceAndStoredHashed()
    {
        const int id = m_f.addUser(QStringLiteral("Alt"), QStringLiteral("Geheim"));
        QVERIFY(!KivLogin::Verify(m_f.db(), id, QStringLiteral("geheim")));
        QCOMPARE(m_f.storedPassword(id), QStringLiteral("Geheim"));  // a wrong try changes nothing

        QVERIFY(KivLogin::Verify(m_f.db(), id, QStringLiteral("Geheim")));
        const QString after = m_f.storedPassword(id);
        QVERIFY(KivPassword::IsHashed(after));
        QVERIFY(KivLogin::Verify(m_f.db(), id, QStringLiteral("Geheim")));
        QCOMPARE(m_f.storedPassword(id), after);  // hashed once, not again at every login
        QVERIFY(!KivLogin::Verify(m_f.db(), id, after));
    }
};

MELVORA_TEST(PasswordTest, sessionSetUp);

#include "PasswordTest.moc"
