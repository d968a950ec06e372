#include "sharedcat/SharedServer.h"

#include "DelayProxy.h"
#include "catalog/CatalogCreator.h"
#include "catalog/CatalogErrorWatch.h"
#include "catalog/Database.h"
#include "catalog/PostgresSource.h"
#include "catalog/RsBenutzer.h"
#include "catalog/Transaction.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"
#include "support/TestRegistry.h"

#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace SharedServer;

// The shared catalog's server goes away in the middle of a command (the line between program and
// server cut by the proxy) and comes back: one message naming the connection, nothing half-written,
// and the next command works on the same catalog connection object without a restart.
class LostServerTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_home;
    std::unique_ptr<KivDelayProxy> m_proxy;
    std::unique_ptr<CKivProfileStore> m_store;
    std::unique_ptr<CKivSettings> m_settings;
    std::unique_ptr<CKivDatabase> m_db;

    bool addUser(const QString &name)
    {
        CRsBenutzer user(*m_db);
        user.AddNew();
        user.m_Benutzername = name;
        return user.Update();
    }

    QStringList userNames()
    {
        QStringList names;
        CRsBenutzer users(*m_db);
        if (!users.Open())
            return {QStringLiteral("<failed>")};
        for (; !users.IsEOF(); users.MoveNext())
            names << users.m_Benutzername;
        return names;
    }

private Q_SLOTS:
    void initTestCase()
    {
        if (port() == 0)
            QSKIP("no test PostgreSQL server");
        const Account account = newAccount(QStringLiteral("lost"));
        QVERIFY(!account.role.isEmpty());
        m_proxy = std::make_unique<KivDelayProxy>("127.0.0.1", std::uint16_t(port()), std::chrono::microseconds(0));
        QVERIFY(m_proxy->start());
        CKivPostgresSource source{QStringLiteral("127.0.0.1"), m_proxy->port(), account.database, account.role,
                                  QStringLiteral("disable")};
        qputenv("PGPASSFILE", QFile::encodeName(m_home.filePath(QStringLiteral("pgpass"))));
        QVERIFY(CKivPgPass::Store(CKivPgPass::DefaultPath(), source.PasswordEntry(), account.password));
        QString error;
        QVERIFY2(source.Register(QStringLiteral("Fern"), &error), qPrintable(error));
        CKivCatalogCreator creator;
        QVERIFY2(creator.CreateForDataSource(QStringLiteral("Fern")), qPrintable(creator.lastError()));

        m_store = std::make_unique<CKivProfileStore>(m_home.filePath(QStringLiteral("Melvora.ini")));
        m_settings = std::make_unique<CKivSettings>(*m_store);
        m_settings->SetOdbcAliasname(QStringLiteral("Fern"));
        m_db = std::make_unique<CKivDatabase>(*m_settings);
        QVERIFY(m_db->Connect(false));
    }

    // A failed case must not leave the line cut for the next one.
    void init()
    {
        if (m_proxy)
            m_proxy->restore();
    }

    void cleanupTestCase()
    {
        m_db.reset();
        m_proxy.reset();
    }

    void lineCutInTheMiddleOfACommand_data()
    {
        QTest::addColumn<bool>("cutBeforeTheCommand");
        QTest::addColumn<bool>("cutBeforeTheCommit");
        QTest::newRow("during a transaction") << false << false;
        QTest::newRow("just before the commit") << false << true;
        QTest::newRow("while idle, found by the next command") << true << false;
    }

    void lineCutInTheMiddleOfACommand()
    {
        QFETCH(bool, cutBeforeTheCommand);
        QFETCH(bool, cutBeforeTheCommit);
        RecordingUi ui;
        const QStringList before = userNames();
        QVERIFY(!before.contains(QStringLiteral("<failed>")));
        if (cutBeforeTheCommand)
            m_proxy->cut();
        {
            CKivCatalogErrorWatch watch(*m_db);
            CKivTransaction transaction(*m_db);
            if (!cutBeforeTheCommand) {
                QVERIFY(transaction.IsActive());
                QVERIFY(addUser(QStringLiteral("halb")));
                if (!cutBeforeTheCommit)
                    m_proxy->cut();
            }
            if (!cutBeforeTheCommit)
                QVERIFY(!addUser(QStringLiteral("ganz")));
            else
                m_proxy->cut();
            QVERIFY(!transaction.Commit());
        }
        QCOMPARE(ui.messages().size(), 1);
        const RecordingUi::Message message = ui.messages().constFirst();
        QCOMPARE(message.caption, QStringLiteral("Datenbank Fehler"));
        QCOMPARE(message.icon, KivIcon::Stop);
        QVERIFY2(message.text.startsWith(QStringLiteral("Die Verbindung zur Datenbank \"Fern\" ist unterbrochen.\n")),
                 qPrintable(message.text));
        QVERIFY(message.text.size() > 60);

        // While the line is down, every command tells so once and changes nothing.
        {
            CKivCatalogErrorWatch watch(*m_db);
            QVERIFY(!addUser(QStringLiteral("weg")));
        }
        QCOMPARE(ui.messages().size(), 2);

        // The server is back: the next command works, on the catalog as it was before.
        m_proxy->restore();
        ui.clear();
        {
            CKivCatalogErrorWatch watch(*m_db);
            QCOMPARE(userNames(), before);
            QVERIFY(addUser(QStringLiteral("danach") + QString::number(before.size())));
        }
        QCOMPARE(ui.messages().size(), 0);
        QCOMPARE(userNames().size(), before.size() + 1);
    }

    void failureOfALiveConnectionIsNoLostConnection()
    {
        RecordingUi ui;
        {
            CKivCatalogErrorWatch watch(*m_db);
            CRsBenutzer users(*m_db);
            users.m_strFilter = QStringLiteral("NoSuchColumn = 1");
            QVERIFY(!users.Open());
        }
        QCOMPARE(ui.messages().size(), 1);
        QVERIFY(!ui.messages().constFirst().text.contains(QStringLiteral("unterbrochen")));
        QVERIFY(!m_db->ConnectionLost());
    }
};

MELVORA_TEST(LostServerTest, CatalogFixture::isolateOdbcIni);

#include "LostServerTest.moc"
