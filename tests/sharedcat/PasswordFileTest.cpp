#include "catalog/PgPass.h"
#include "catalog/PostgresSource.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The password file of the client library and the server address a data source is registered from.
class PasswordFileTest : public QObject
{
    Q_OBJECT

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private Q_SLOTS:
    void storeAddsReplacesAndKeepsOtherLines_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("new file") << QByteArray() << QStringLiteral("geheim")
                                  << QByteArray("srv:5432:melvora:anna:geheim\n");
        QTest::newRow("escaped") << QByteArray() << QStringLiteral("a:b\\c")
                                 << QByteArray("srv:5432:melvora:anna:a\\:b\\\\c\n");
        QTest::newRow("other lines kept, no final line break")
            << QByteArray("*:*:*:postgres:root\nother:5432:melvora:anna:x") << QStringLiteral("neu")
            << QByteArray("*:*:*:postgres:root\nother:5432:melvora:anna:x\nsrv:5432:melvora:anna:neu\n");
        QTest::newRow("same login replaced in place, duplicates left")
            << QByteArray("# mine\nsrv:5432:melvora:anna:alt\nsrv:5432:melvora:anna:older\n")
            << QStringLiteral("neu")
            << QByteArray("# mine\nsrv:5432:melvora:anna:neu\nsrv:5432:melvora:anna:older\n");
        QTest::newRow("another port is another login")
            << QByteArray("srv:5433:melvora:anna:alt\n") << QStringLiteral("neu")
            << QByteArray("srv:5433:melvora:anna:alt\nsrv:5432:melvora:anna:neu\n");
    }

    void storeAddsReplacesAndKeepsOtherLines()
    {
        QFETCH(QByteArray, before);
        QFETCH(QString, password);
        QFETCH(QByteArray, after);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("sub/.pgpass"));
        if (!before.isEmpty()) {
            QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("sub"))));
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(before);
            file.close();
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther);
        }
        const CKivPgPass::Entry entry{QStringLiteral("srv"), 5432, QStringLiteral("melvora"), QStringLiteral("anna")};
        QString error;
        QVERIFY2(CKivPgPass::Store(path, entry, password, &error), qPrintable(error));
        QCOMPARE(read(path), after);
        // Readable by the owner alone, whatever the file was before.
        QCOMPARE(QFile::permissions(path) & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        QCOMPARE(CKivPgPass::Lookup(path, entry), password);
        QVERIFY(!QFile::exists(path + QStringLiteral(".new")));
    }

    void storeRefusesWhatTheFileCannotHold()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral(".pgpass"));
        const CKivPgPass::Entry entry{QStringLiteral("srv"), 5432, QStringLiteral("melvora"), QStringLiteral("anna")};
        QVERIFY(CKivPgPass::Store(path, entry, QStringLiteral("gut")));
        for (const QString &bad : {QStringLiteral("zwei\nzeilen"), QStringLiteral("cr\r")})
            QVERIFY(!CKivPgPass::Store(path, entry, bad));
        QVERIFY(!CKivPgPass::Store(path, {QString(), 5432, QStringLiteral("m"), QStringLiteral("u")}, QStringLiteral("x")));
        QCOMPARE(read(path), QByteArray("srv:5432:melvora:anna:gut\n"));
    }

    void serverAddressIsParsed_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("database");
        QTest::newRow("host and database") << QStringLiteral("nas/melvora") << true << QStringLiteral("nas") << 5432
                                           << QStringLiteral("melvora");
        QTest::newRow("with port") << QStringLiteral("192.168.1.5:5433/musik") << true
                                   << QStringLiteral("192.168.1.5") << 5433 << QStringLiteral("musik");
        QTest::newRow("IPv6 with port") << QStringLiteral("[::1]:6000/m") << true << QStringLiteral("::1") << 6000
                                        << QStringLiteral("m");
        QTest::newRow("IPv6 without port") << QStringLiteral("[fe80::1]/m") << true << QStringLiteral("fe80::1")
                                           << 5432 << QStringLiteral("m");
        QTest::newRow("no database") << QStringLiteral("nas") << false << QString() << 0 << QString();
        QTest::newRow("empty database") << QStringLiteral("nas/") << false << QString() << 0 << QString();
        QTest::newRow("no host") << QStringLiteral(":5432/m") << false << QString() << 0 << QString();
        QTest::newRow("port zero") << QStringLiteral("nas:0/m") << false << QString() << 0 << QString();
        QTest::newRow("port too big") << QStringLiteral("nas:65536/m") << false << QString() << 0 << QString();
        QTest::newRow("port not a number") << QStringLiteral("nas:x/m") << false << QString() << 0 << QString();
        QTest::newRow("empty port") << QStringLiteral("nas:/m") << false << QString() << 0 << QString();
        QTest::newRow("unclosed bracket") << QStringLiteral("[::1/m") << false << QString() << 0 << QString();
    }

    void serverAddressIsParsed()
    {
        QFETCH(QString, target);
        QFETCH(bool, valid);
        QString error;
        const std::optional<CKivPostgresSource> source = CKivPostgresSource::Parse(target, &error);
        QCOMPARE(source.has_value(), valid);
        if (!valid) {
            QVERIFY(!error.isEmpty());
            return;
        }
        QTEST(source->host, "host");
        QTEST(source->port, "port");
        QTEST(source->database, "database");
    }

    void valuesThatWouldBreakTheRegistrationAreRefused_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("sslmode");
        QTest::newRow("semicolon") << QStringLiteral("m;Password=x") << QStringLiteral("u") << QStringLiteral("prefer");
        QTest::newRow("line break") << QStringLiteral("m") << QStringLiteral("u\nPassword=x") << QStringLiteral("prefer");
        QTest::newRow("braces") << QStringLiteral("{m}") << QStringLiteral("u") << QStringLiteral("prefer");
        QTest::newRow("unknown encryption") << QStringLiteral("m") << QStringLiteral("u") << QStringLiteral("always");
        QTest::newRow("no user") << QStringLiteral("m") << QString() << QStringLiteral("prefer");
    }

    void valuesThatWouldBreakTheRegistrationAreRefused()
    {
        QFETCH(QString, database);
        QFETCH(QString, user);
        QFETCH(QString, sslmode);
        CKivPostgresSource source;
        source.host = QStringLiteral("nas");
        source.database = database;
        source.user = user;
        source.sslmode = sslmode;
        QVERIFY(!source.Invalid().isEmpty());
        QVERIFY(!source.Register(QStringLiteral("Refused")));
    }
};

MELVORA_TEST(PasswordFileTest);

#include "PasswordFileTest.moc"
