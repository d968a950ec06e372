#include "catalog/CatalogFailure.h"
#include "catalog/OdbcIni.h"
#include "media/scan/ScanDriver.h"
#include "media/scan/ScanStore.h"
#include "scan/ScanFixture.h"
#include "support/TestRegistry.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

// A catalog that fails for good while a scan stores its files (SQLite's file can grow no further,
// PostgreSQL's server drops the connection): the scan stops at once with one message naming the
// cause and the count stored, the rows stored before stay whole, and a rescan after the cause is gone
// stores the rest. The same for melvora-cli: one line, exit code 2.
class ScanStopTest : public QObject
{
    Q_OBJECT

private:
    ScanFixture f;
    QString root;
    // One batch and a half: the first is stored whole, the second meets the failure.
    static constexpr int Files = KivScanStore::BatchSize + KivScanStore::BatchSize / 2;

    // Files that the catalog's file may grow to, for this process and the programs it starts.
    class FileSizeLimit
    {
    public:
        explicit FileSizeLimit(rlim_t bytes)
        {
            getrlimit(RLIMIT_FSIZE, &m_old);
            m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit = m_old;
            limit.rlim_cur = bytes;
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        ~FileSizeLimit()
        {
            setrlimit(RLIMIT_FSIZE, &m_old);
            std::signal(SIGXFSZ, m_oldHandler);
        }

    private:
        rlimit m_old{};
        void (*m_oldHandler)(int) = nullptr;
    };

    QString sqliteFile() const { return CKivOdbcIni::SqliteDatabaseFile(CatalogFixture::dataSourceName()); }

    // PostgreSQL: the server ends the connection that adds row number `after` + 1.
    bool dropConnectionAfter(int after)
    {
        return f.exec(QStringLiteral("CREATE OR REPLACE FUNCTION drop_connection() RETURNS trigger AS $$ BEGIN "
                                     "IF (SELECT count(*) FROM Mp3s) >= %1 THEN "
                                     "PERFORM pg_terminate_backend(pg_backend_pid()); END IF; "
                                     "RETURN NEW; END $$ LANGUAGE plpgsql")
                          .arg(after))
            && f.exec(QStringLiteral("CREATE TRIGGER drop_connection BEFORE INSERT ON Mp3s FOR EACH ROW "
                                     "EXECUTE FUNCTION drop_connection()"));
    }

    bool mendPostgres() { return f.exec(QStringLiteral("DROP TRIGGER drop_connection ON Mp3s")); }

    // The rows of the medium are whole: each with its title and folder, as many as the scan stored.
    void verifyWholeRows(int stored)
    {
        const auto rows = f.rows(QStringLiteral("Musik"));
        QCOMPARE(rows.size(), stored);
        for (auto it = rows.constBegin(); it != rows.constEnd(); ++it) {
            QCOMPARE(it->title, QStringLiteral("S"));
            QVERIFY(it->subPath.startsWith(QLatin1Char('F')));
            QVERIFY(it->id > 0);
        }
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(f.recreate());
        root = f.addMedium(QStringLiteral("Musik"));
        QVERIFY(!root.isEmpty());
        for (int i = 0; i < Files; ++i)
            QVERIFY(ScanFixture::writeSong(root + QStringLiteral("F%1/s%2.mp3").arg(i / 100).arg(i), "S", 1));
        // SQLite: no free pages left from earlier tests, so every new row makes the file grow.
        if (!f.catalog.isPostgres())
            QVERIFY(f.exec(QStringLiteral("VACUUM")));
    }

    void theCatalogFailingForGoodStopsTheScanOnce()
    {
        const bool postgres = f.catalog.isPostgres();
        if (postgres)
            QVERIFY(dropConnectionAfter(KivScanStore::BatchSize + 200));
        // One log line names the cause; a transaction the database ended itself is no failed rollback.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("Rollback failed")));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^The scan stopped after storing %1 of %2 files: ")
                                                    .arg(KivScanStore::BatchSize)
                                                    .arg(Files)));
        auto list = f.scanList(QStringLiteral("Musik"), QString(), true);
        CKivScanDriver driver(list);
        QVERIFY(driver.Start());
        std::unique_ptr<FileSizeLimit> limit;
        QDeadlineTimer deadline(120000);
        while (driver.Poll() != CKivScanDriver::State::Finished && !deadline.hasExpired()) {
            // The first batch is in; the next one no longer fits into the file.
            if (!postgres && !limit && list->GetStoredCount() >= KivScanStore::BatchSize)
                limit = std::make_unique<FileSizeLimit>(rlim_t(QFileInfo(sqliteFile()).size()));
            QCoreApplication::processEvents();
            QThread::msleep(1);
        }
        limit.reset();
        QCOMPARE(driver.GetState(), CKivScanDriver::State::Finished);

        QCOMPARE(list->GetStoredCount(), KivScanStore::BatchSize);
        QVERIFY(!list->GetCatalogFailure().isEmpty());
        QCOMPARE(f.ui.messages().size(), 1);
        const QString message = f.ui.messages().at(0).text;
        QCOMPARE(f.ui.messages().at(0).caption, QStringLiteral("Datenbank Fehler"));
        QVERIFY2(message.startsWith(list->GetCatalogFailure()), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("%1 von %2 Mp3 Dateien").arg(KivScanStore::BatchSize).arg(Files)),
                 qPrintable(message));
        if (postgres)
            QCOMPARE(list->GetCatalogFailure(), KivCatalogFailure::describe(KivCatalogFailure::Kind::ConnectionLost));
        verifyWholeRows(KivScanStore::BatchSize);

        // The cause gone, a rescan stores the rest.
        if (postgres)
            QVERIFY(mendPostgres());
        f.ui.clear();
        const auto again = f.scan(QStringLiteral("Musik"), QString(), true);
        QVERIFY(again);
        QCOMPARE(again->GetStoredCount(), Files);
        QVERIFY(again->GetCatalogFailure().isEmpty());
        QCOMPARE(f.ui.messages().size(), 0);
        verifyWholeRows(Files);
    }

    void theCommandLineSaysItInOneLine()
    {
        const bool postgres = f.catalog.isPostgres();
        if (postgres)
            QVERIFY(dropConnectionAfter(KivScanStore::BatchSize / 2));
        auto cli = [this] {
            QProcess process;
            process.start(QStringLiteral(MELVORA_CLI),
                          {QStringLiteral("scan"), QStringLiteral("Musik"), QStringLiteral("--quick"),
                           QStringLiteral("--dsn"), CatalogFixture::dataSourceName(), QStringLiteral("--user"),
                           QStringLiteral("anna"), QStringLiteral("--password"), QStringLiteral("geheim")});
            process.waitForFinished(120000);
            return std::make_pair(process.exitCode(), QString::fromUtf8(process.readAllStandardError()));
        };
        std::pair<int, QString> run;
        {
            // The child inherits a limit two pages above the file's size now (room for the login's
            // own writes): its first batch no longer fits.
            std::unique_ptr<FileSizeLimit> limit;
            if (!postgres)
                limit = std::make_unique<FileSizeLimit>(rlim_t(QFileInfo(sqliteFile()).size() + 8192));
            run = cli();
        }
        QCOMPARE(run.first, 2);
        const QStringList lines = run.second.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        const QStringList failures = lines.filter(QStringLiteral("Datenbank Fehler"));
        QCOMPARE(failures.size(), 1);
        QVERIFY2(failures.at(0).contains(QStringLiteral(" von %1 Mp3 Dateien wurden gespeichert.").arg(Files)),
                 qPrintable(run.second));
        // Nothing else but the progress of the phases.
        for (const QString &line : lines)
            QVERIFY2(line == failures.at(0) || line.startsWith(QStringLiteral("Mp3 ")) || line.startsWith(QStringLiteral("Tag ")),
                     qPrintable(line));

        if (postgres)
            QVERIFY(mendPostgres());
        run = cli();
        QCOMPARE(run.first, 0);
        verifyWholeRows(Files);
    }
};

MELVORA_TEST(ScanStopTest, CatalogFixture::isolateOdbcIni);

#include "ScanStopTest.moc"
