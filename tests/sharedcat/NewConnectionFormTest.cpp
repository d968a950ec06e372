#include "sharedcat/SharedServer.h"

#include "app/session/NewConnectionForm.h"
#include "catalog/Database.h"
#include "catalog/OdbcIni.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

using namespace SharedServer;

// "Neue Verbindung" without its widgets: the connection is tested before anything is registered,
// a refusal shows the driver's own message, and the password goes only into the password file.
class NewConnectionFormTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    Account m_account;

    CKivNewConnectionForm form(const QString &dsn, const QString &password, int serverPort = 0)
    {
        CKivNewConnectionForm f(dsn);
        f.Source().host = QStringLiteral(" 127.0.0.1 ");
        f.SetPort(QString::number(serverPort ? serverPort : port()));
        f.Source().database = m_account.database;
        f.Source().user = m_account.role;
        f.SetSslModeIndex(0);
        f.SetPassword(password);
        return f;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (port() == 0)
            QSKIP("no test PostgreSQL server");
        m_account = newAccount(QStringLiteral("dialog"));
        QVERIFY(!m_account.role.isEmpty());
        qputenv("PGPASSFILE", QFile::encodeName(m_home.filePath(QStringLiteral("pgpass"))));
    }

    void refusalsNameTheirCauseAndRegisterNothing_data()
    {
        QTest::addColumn<QString>("dsn");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("noServer");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("expected");
        QTest::newRow("wrong password") << QStringLiteral("FalschesPasswort") << QStringLiteral("falsch") << false
                                        << QString() << QStringLiteral("password authentication failed");
        QTest::newRow("no server listening") << QStringLiteral("KeinServer") << QStringLiteral("x") << true
                                             << QString() << QStringLiteral("Connection refused");
        QTest::newRow("no such database") << QStringLiteral("KeineDatenbank") << QStringLiteral("*") << false
                                          << QStringLiteral("gibtsnicht") << QStringLiteral("gibtsnicht");
        QTest::newRow("no name") << QString() << QStringLiteral("x") << false << QString()
                                 << QStringLiteral("Bitte geben Sie");
        QTest::newRow("connect string injection") << QStringLiteral("Boese") << QStringLiteral("x") << false
                                                  << QStringLiteral("m;Password=x") << QStringLiteral("Bitte geben Sie");
    }

    void refusalsNameTheirCauseAndRegisterNothing()
    {
        QFETCH(QString, dsn);
        QFETCH(QString, password);
        QFETCH(bool, noServer);
        QFETCH(QString, database);
        QFETCH(QString, expected);
        int closedPort = 0;
        if (noServer) {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost));
            closedPort = probe.serverPort();
        }
        RecordingUi ui;
        CKivNewConnectionForm f = form(dsn, password == QLatin1String("*") ? m_account.password : password, closedPort);
        if (!database.isEmpty())
            f.Source().database = database;
        QVERIFY(!f.Accept());
        QCOMPARE(ui.messages().size(), 1);
        QCOMPARE(ui.messages().constFirst().caption, QStringLiteral("Warnung !"));
        QVERIFY2(ui.messages().constFirst().text.contains(expected), qPrintable(ui.messages().constFirst().text));
        if (!dsn.isEmpty())
            QVERIFY(CKivOdbcIni::Driver(dsn).isEmpty());
    }

    void acceptedConnectionIsRegisteredWithoutItsPassword()
    {
        RecordingUi ui;
        CKivNewConnectionForm f = form(QStringLiteral("Neu"), m_account.password);
        QVERIFY(f.Accept());
        QCOMPARE(ui.messages().size(), 0);
        QCOMPARE(CKivOdbcIni::Driver(QStringLiteral("Neu")), QStringLiteral("PostgreSQL Unicode"));
        QCOMPARE(CKivOdbcIni::Value(QStringLiteral("Neu"), QStringLiteral("Servername")), QStringLiteral("127.0.0.1"));
        QCOMPARE(CKivOdbcIni::Value(QStringLiteral("Neu"), QStringLiteral("SSLmode")), QStringLiteral("disable"));
        QFile ini(qEnvironmentVariable("ODBCINI"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        QVERIFY(!ini.readAll().contains(m_account.password.toUtf8()));
        QCOMPARE(CKivPgPass::Lookup(CKivPgPass::DefaultPath(), f.Source().PasswordEntry()), m_account.password);

        // The program connects through it as through any data source.
        CKivProfileStore store(m_home.filePath(QStringLiteral("Melvora.ini")));
        CKivSettings settings(store);
        settings.SetOdbcAliasname(QStringLiteral("Neu"));
        CKivDatabase db(settings);
        QVERIFY(db.Connect(false));
        QCOMPARE(db.dialect().engine(), CKivSqlDialect::Engine::PostgreSQL);
        QVERIFY(settings.GetOdbcPasswort().isEmpty());
    }
};

MELVORA_TEST(NewConnectionFormTest, CatalogFixture::isolateOdbcIni);

#include "NewConnectionFormTest.moc"
