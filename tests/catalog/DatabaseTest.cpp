#include "support/TestRegistry.h"

#include "catalog/CatalogCreator.h"
#include "catalog/OdbcIni.h"
#include "catalog/RsBenutzer.h"
#include "catalog/Transaction.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"

#include <QFile>
#include <QtTest>

// The catalog connection: connecting by data source name, clean failures, registering a data source.
class DatabaseTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_fixture;

    // Settings of their own naming `dsn`, and a connection on them.
    struct Other
    {
        QTemporaryDir dir;
        CKivProfileStore store{dir.filePath(QStringLiteral("Melvora.ini"))};
        CKivSettings settings{store};
        CKivDatabase db{settings};
        explicit Other(const QString &dsn) { settings.SetOdbcAliasname(dsn); }
    };

    static QString iniText()
    {
        QFile file(qEnvironmentVariable("ODBCINI"));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_fixture.recreate()); }

    void connectsByDataSourceName()
    {
        CKivDatabase &db = m_fixture.db();
        QVERIFY(db.IsOpen());
        QCOMPARE(db.ConnectString(), QStringLiteral("DSN=") + CatalogFixture::dataSourceName());
        QVERIFY(db.Connect(false)); // already open: true at once
    }

    void emptyNameMeansMelvora()
    {
        Other other{QString()};
        QCOMPARE(other.db.DataSourceName(), QStringLiteral("Melvora"));
        QCOMPARE(other.db.ConnectString(), QStringLiteral("DSN=Melvora"));
    }

    void missingDataSourceFailsOrAsksTheDialog()
    {
        RecordingUi ui;
        Other other(QStringLiteral("NoSuchMelvoraSource"));
        QVERIFY(!other.db.Connect(false));
        QCOMPARE(ui.connectionDialogs(), 0);
        QVERIFY(!other.db.Connect(true));
        QCOMPARE(ui.connectionDialogs(), 1);

        // The dialog may fix the settings and connect; Connect(true) then reports that.
        ui.onConnectionDialog = [&](CKivDatabase &db) {
            other.settings.SetOdbcAliasname(CatalogFixture::dataSourceName());
            return db.Connect(false);
        };
        QVERIFY(other.db.Connect(true));
        QVERIFY(other.db.IsOpen());
    }

    void dataSourceWithMissingFileFails()
    {
        const QString file = m_fixture.scratchPath(QStringLiteral("gone.db"));
        QVERIFY(CKivDatabase::RegisterDataSource(QStringLiteral("MelvoraGone"), file));
        Other other(QStringLiteral("MelvoraGone"));
        QVERIFY(!other.db.Connect(false));
        QVERIFY2(!QFile::exists(file), "connecting must not create an empty database file");
    }

    void unreachableServerFails()
    {
        QVERIFY(CKivOdbcIni::WriteUserDataSource(QStringLiteral("MelvoraNoServer"),
                                                 QStringLiteral("PostgreSQL Unicode"),
                                                 {{QStringLiteral("Servername"), QStringLiteral("127.0.0.1")},
                                                  {QStringLiteral("Port"), QStringLiteral("1")},
                                                  {QStringLiteral("Database"), QStringLiteral("melvora")}}));
        Other other(QStringLiteral("MelvoraNoServer"));
        QVERIFY(!other.db.Connect(false));
        QVERIFY(!other.db.IsOpen());
    }

    void registerWritesDatabaseAndDbq()
    {
        const QString first = m_fixture.scratchPath(QStringLiteral("first.db"));
        const QString second = m_fixture.scratchPath(QStringLiteral("second catalog.db"));
        QVERIFY(CKivDatabase::RegisterDataSource(QStringLiteral("MelvoraReg"), first));
        QVERIFY(CKivDatabase::RegisterDataSource(QStringLiteral("MelvoraReg"),
                                                 second)); // updates, never duplicates
        QCOMPARE(CKivOdbcIni::Driver(QStringLiteral("MelvoraReg")), QStringLiteral("SQLite3"));
        QCOMPARE(CKivOdbcIni::Value(QStringLiteral("MelvoraReg"), QStringLiteral("Database")), second);
        QCOMPARE(CKivOdbcIni::Value(QStringLiteral("MelvoraReg"), QStringLiteral("DBQ")), second);
        QCOMPARE(iniText().count(QStringLiteral("[MelvoraReg]")), 1);

        // A registered file holding a catalog connects and shows its tables.
        CKivCatalogCreator creator;
        QVERIFY2(creator.CreateSqliteFile(second), qPrintable(creator.lastError()));
        Other other(QStringLiteral("MelvoraReg"));
        QVERIFY(other.db.Connect(false));
        CRsBenutzer users(other.db);
        QVERIFY(users.Open());
        QVERIFY(users.IsEOF());
    }

    void registerRefusesAttributeListOver200Bytes()
    {
        const QString dsn = QStringLiteral("MelvoraLong");
        const QString folder = m_fixture.scratchPath(QString());
        // "DSN=" dsn "\0DBQ=" path "\0\0": 200 bytes fit, 201 do not.
        const qsizetype pathLength = 200 - (4 + dsn.size() + 1 + 4 + 1 + 1);
        const QString fits = folder + QString(pathLength - folder.size(), QLatin1Char('f'));
        const QString tooLong = fits + QLatin1Char('g');
        QCOMPARE(fits.toUtf8().size(), pathLength);

        QVERIFY(!CKivDatabase::RegisterDataSource(dsn, tooLong));
        QVERIFY(CKivOdbcIni::Driver(dsn).isEmpty());
        QVERIFY(CKivDatabase::RegisterDataSource(dsn, fits));
        QCOMPARE(CKivOdbcIni::Value(dsn, QStringLiteral("DBQ")), fits);

        // Bytes count, not characters: an umlaut takes two.
        const QString umlauts = fits.left(fits.size() - 1) + QStringLiteral("ä");
        QVERIFY(!CKivDatabase::RegisterDataSource(dsn, umlauts));
        QCOMPARE(CKivOdbcIni::Value(dsn, QStringLiteral("DBQ")), fits);
        QCOMPARE(CKivDatabase::RegisterResultText(false),
                 QStringLiteral("Beim erstellen der Datenbankverbindung ist ein Fehler aufgetreten !"));
    }

    void transactionRollsBackUnlessCommitted()
    {
        CKivDatabase &db = m_fixture.db();
        CRsBenutzer users(db);
        {
            CKivTransaction transaction(db);
            QVERIFY(transaction.IsActive());
            users.AddNew();
            users.m_Benutzername = QStringLiteral("rolled back");
            QVERIFY(users.Update());
        }
        {
            CKivTransaction transaction(db);
            users.AddNew();
            users.m_Benutzername = QStringLiteral("kept");
            QVERIFY(users.Update());
            QVERIFY(transaction.Commit());
        }
        QVERIFY(users.Open());
        QStringList names;
        for (; !users.IsEOF(); users.MoveNext())
            names << users.m_Benutzername;
        QCOMPARE(names, QStringList{QStringLiteral("kept")});
    }
};

MELVORA_TEST(DatabaseTest, CatalogFixture::isolateOdbcIni);

#include "DatabaseTest.moc"
