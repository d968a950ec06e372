#include "sharedcat/SharedServer.h"
#include "support/CatalogFixture.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QtTest>

using namespace SharedServer;

// Setting up a shared catalog from the command line as a household would: a data source for the
// server's database on each computer, the password only in the password file, the tables created
// once, and a check that tells a computer which program version the catalog expects.
class SharedCatalogCliTest : public QObject
{
    Q_OBJECT

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QStringList args(std::initializer_list<const char *> words)
    {
        QStringList list;
        for (const char *w : words)
            list << QString::fromUtf8(w);
        return list;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (port() == 0)
            QSKIP("no test PostgreSQL server");
    }

    void registerCreateAndCheckFromTwoComputers()
    {
        const Account account = newAccount(QStringLiteral("household"));
        QVERIFY(!account.role.isEmpty());
        Computer first;
        Computer second;

        // The first computer is asked for the password (no terminal here: it comes on standard input).
        const Run registered = first.cli(QStringList{QStringLiteral("catalog"), QStringLiteral("register"),
                                                     QStringLiteral("--dsn"), QStringLiteral("Haus"),
                                                     QStringLiteral("--postgres"), target(account),
                                                     QStringLiteral("--db-user"), account.role},
                                         account.password.toUtf8() + '\n');
        QVERIFY2(registered.code == 0, qPrintable(registered.err));
        QVERIFY(second.registerAccount(QStringLiteral("Haus"), account));

        for (const Computer *computer : {&first, &second}) {
            const QByteArray ini = read(computer->odbcIni());
            QVERIFY(ini.contains("Driver=PostgreSQL Unicode"));
            QVERIFY(ini.contains("Username=" + account.role.toUtf8()));
            QVERIFY2(!ini.contains(account.password.toUtf8()) && !ini.contains("geheim"), ini.constData());
            QVERIFY(!(QFile::permissions(computer->pgpass()) & (QFile::ReadGroup | QFile::ReadOther)));
            QVERIFY(read(computer->pgpass()).contains(":" + account.database.toUtf8() + ":"));
        }

        const Run created = first.cli(args({"catalog", "create", "--dsn", "Haus"}));
        QVERIFY2(created.code == 0, qPrintable(created.err));
        QVERIFY(created.out.startsWith(QStringLiteral("catalog created")));

        // Run again, from the other computer: it says so and changes nothing.
        const Run again = second.cli(args({"catalog", "create", "--dsn", "Haus"}));
        QCOMPARE(again.code, 0);
        QCOMPARE(again.out, QStringLiteral("data source Haus already holds a catalog; nothing was changed\n"));

        const Run checked = second.cli(args({"catalog", "check", "--dsn", "Haus"}));
        QVERIFY2(checked.code == 0, qPrintable(checked.out + checked.err));
        QVERIFY(checked.out.contains(QStringLiteral("catalog complete\n")));
        QVERIFY(checked.out.contains(QStringLiteral("catalog version: layout 1, created by program version ")));

        // The second computer's catalog user sees the first one's rows: one catalog.
        QVERIFY(admin(QStringLiteral("INSERT INTO Benutzer (Benutzername, Passwort) VALUES ('anna', '')"),
                      account.database));
        const Run login = second.cli(args({"login", "--dsn", "Haus", "--user", "anna", "--password", ""}));
        QVERIFY2(login.code == 0, qPrintable(login.err));
    }

    void newerCatalogLayoutIsNamed()
    {
        const Account account = newAccount(QStringLiteral("newer"));
        Computer computer;
        QVERIFY(computer.registerAccount(QStringLiteral("Neu"), account));
        QCOMPARE(computer.cli(args({"catalog", "create", "--dsn", "Neu"})).code, 0);
        // Another computer's newer program changed the catalog's layout.
        QVERIFY(admin(QStringLiteral("UPDATE KatalogVersion SET SchemaVersion = 7, ProgramVersion = '9.0.0'"),
                      account.database));
        const Run checked = computer.cli(args({"catalog", "check", "--dsn", "Neu"}));
        QCOMPARE(checked.code, 1);
        QVERIFY2(checked.out.contains(QStringLiteral("the catalog expects program version 9.0.0 (catalog layout 7)")),
                 qPrintable(checked.out));
    }

    void failuresNameTheirCause()
    {
        const Account account = newAccount(QStringLiteral("wrong"));
        Computer computer;
        // A wrong password: creating the catalog fails with the driver's text.
        Account wrong = account;
        wrong.password = QStringLiteral("falsch");
        QVERIFY(computer.registerAccount(QStringLiteral("Falsch"), wrong));
        const Run refused = computer.cli(args({"catalog", "create", "--dsn", "Falsch"}));
        QCOMPARE(refused.code, 1);
        QVERIFY2(refused.err.contains(QStringLiteral("password authentication failed")), qPrintable(refused.err));

        // Bad addresses and options never write anything.
        for (const QStringList &bad :
             {args({"catalog", "register", "--dsn", "X", "--postgres", "nas"}),
              args({"catalog", "register", "--dsn", "X", "--postgres", "nas:99999/m", "--db-user", "u"}),
              args({"catalog", "register", "--dsn", "X", "--postgres", "nas/m", "--sslmode", "always"}),
              args({"catalog", "register", "--dsn", "X", "--sqlite", "a.db", "--postgres", "nas/m"}),
              args({"catalog", "register", "--dsn", "X", "--sqlite", "a.db", "--db-user", "u"}),
              args({"catalog", "register", "--dsn", "X", "--postgres", "nas/m", "--db-password-file",
                    "/nonexistent/pw"})}) {
            const Run run = computer.cli(bad);
            QVERIFY2(run.code == 1, qPrintable(bad.join(QLatin1Char(' '))));
            QVERIFY(!read(computer.odbcIni()).contains("[X]"));
        }
    }

};

MELVORA_TEST(SharedCatalogCliTest, CatalogFixture::isolateOdbcIni);

#include "SharedCatalogCliTest.moc"
