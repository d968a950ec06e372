#include "media/scan/ScanDriver.h"
#include "media/scan/ScanStore.h"
#include "scan/ScanFixture.h"
#include "support/TestRegistry.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QScopeGuard>
#include <QSemaphore>
#include <QtTest>

#include <atomic>

// The scan's two workers and the polling hand-shake: busy before any worker, one scan at a time,
// messages from workers, cancelling in either phase, and a storing phase that keeps going past a
// row the catalog refuses.
class ScanDriverTest : public QObject
{
    Q_OBJECT

private:
    ScanFixture f;
    QString root;

    // Polls as the frame's timer does until the scan has ended.
    static bool runToEnd(CKivScanDriver &driver)
    {
        QDeadlineTimer deadline(120000);
        while (driver.Poll() != CKivScanDriver::State::Finished) {
            if (deadline.hasExpired())
                return false;
            QCoreApplication::processEvents();
            QThread::msleep(2);
        }
        return true;
    }

    static bool waitFor(const std::function<bool()> &condition)
    {
        QDeadlineTimer deadline(30000);
        while (!condition()) {
            if (deadline.hasExpired())
                return false;
            QThread::msleep(1);
        }
        return true;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(f.recreate());
        root = f.addMedium(QStringLiteral("Musik"));
        QVERIFY(!root.isEmpty());
    }

    void busyIsSetBeforeAnyWorkerRuns()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "A"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("Halt\\hier")));
        // The first phase stops at the message about the folder until the test lets it go on.
        QSemaphore letGo;
        std::atomic<bool> waiting{false};
        f.ui.onMessage = [&](const QString &) {
            waiting = true;
            letGo.acquire();
        };
        auto list = f.scanList(QStringLiteral("Musik"));
        CKivScanDriver driver(list);
        // Declared after the driver: on a failed check the worker is let go before the driver waits.
        const auto release = qScopeGuard([&] { letGo.release(100); });
        QVERIFY(driver.Start());
        QCOMPARE(list->GetBusy(), 1);
        QCOMPARE(driver.Poll(), CKivScanDriver::State::Finding);
        QVERIFY(waitFor([&] { return waiting.load(); }));
        for (int i = 0; i < 20; ++i)
            QCOMPARE(driver.Poll(), CKivScanDriver::State::Finding);

        // Only one scan at a time.
        CKivScanDriver second(f.scanList(QStringLiteral("Musik")));
        QVERIFY(CKivScanDriver::IsAnyRunning());
        QVERIFY(!second.Start());

        letGo.release(100);
        QVERIFY(runToEnd(driver));
        QCOMPARE(f.rows(QStringLiteral("Musik")).size(), 1);
        QVERIFY(!CKivScanDriver::IsAnyRunning());
        CKivScanDriver third(f.scanList(QStringLiteral("Musik")));
        QVERIFY(third.Start());
        QVERIFY(runToEnd(third));
    }

    void workerMessagesAreShownOnTheMainThreadInOrder()
    {
        QVERIFY(QDir().mkpath(root + QStringLiteral("A\\1")));
        QVERIFY(QDir().mkpath(root + QStringLiteral("B\\2")));
        f.ui.marshal = true;
        auto list = f.scanList(QStringLiteral("Musik"));
        CKivScanDriver driver(list);
        QVERIFY(driver.Start());
        QVERIFY(runToEnd(driver));
        const QList<RecordingUi::Message> messages = f.ui.messages();
        QCOMPARE(messages.size(), 2);
        QVERIFY(messages.at(0).text.contains(QStringLiteral("A\\1")));
        QVERIFY(messages.at(1).text.contains(QStringLiteral("B\\2")));
        QCOMPARE(messages.at(0).caption, QStringLiteral("Hinweis"));
        for (const RecordingUi::Message &m : messages) {
            QCOMPARE(m.shownOn, QCoreApplication::instance()->thread());
            QVERIFY(m.raisedOn != QCoreApplication::instance()->thread());
        }
    }

    void cancellingWhileAWorkerWaitsForAMessageDoesNotLockUp()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "A"));
        QVERIFY(QDir().mkpath(root + QStringLiteral("Halt\\hier")));
        f.ui.marshal = true;
        auto list = f.scanList(QStringLiteral("Musik"));
        {
            CKivScanDriver driver(list);
            QVERIFY(driver.Start());
            // The worker is now waiting for the main thread to show its message.
            QThread::msleep(300);
            driver.CancelAndWait();
            QCOMPARE(driver.GetState(), CKivScanDriver::State::Finished);
        }
        QCOMPARE(f.ui.messages().size(), 1);
        QVERIFY(f.rows(QStringLiteral("Musik")).isEmpty());
        QVERIFY(!CKivScanDriver::IsAnyRunning());
    }

    void cancelAfterTenOfHundredFilesStoresTen()
    {
        for (int i = 1; i <= 100; ++i)
            QVERIFY(ScanFixture::writeSong(root + QStringLiteral("s%1.mp3").arg(i, 3, 10, QLatin1Char('0')), "S", 2));
        QVERIFY(QDir().mkpath(root + QStringLiteral("zz\\x")));
        auto list = f.scanList(QStringLiteral("Musik"));
        // After the search (its last message is the folder's), the tenth file goes away; reading it
        // fails, and its message is where the user presses "Abbruch".
        f.ui.onMessage = [&](const QString &text) {
            if (text.contains(QStringLiteral("zz\\x")))
                QFile::remove(root + QStringLiteral("s010.mp3"));
            else
                list->Cancel();
        };
        CKivScanDriver driver(list);
        QVERIFY(driver.Start());
        QVERIFY(runToEnd(driver));
        QCOMPARE(list->GetFoundCount(), 100);
        QCOMPARE(int(list->items().size()), 10);
        QCOMPARE(list->GetStoredCount(), 10);
        const auto rows = f.rows(QStringLiteral("Musik"));
        QCOMPARE(rows.size(), 10);
        QVERIFY(rows.contains(QStringLiteral("s010.mp3")));
        QCOMPARE(f.ui.count(QStringLiteral("Mp3 kann nicht geöffnet werden !")), 1);
    }

    void cancelledStoringKeepsExactlyWhatItStored()
    {
        for (int i = 0; i < 1200; ++i)
            QVERIFY(ScanFixture::writeSong(root + QStringLiteral("F%1/s%2.mp3").arg(i / 100).arg(i), "S", 1));
        auto list = f.scanList(QStringLiteral("Musik"), QString(), true);
        CKivScanDriver driver(list);
        QVERIFY(driver.Start());
        QDeadlineTimer deadline(120000);
        while (driver.Poll() != CKivScanDriver::State::Finished && !deadline.hasExpired()) {
            if (driver.GetState() == CKivScanDriver::State::Storing && list->GetCurrentIndex() > 600)
                list->Cancel();
            QThread::msleep(1);
        }
        QCOMPARE(driver.GetState(), CKivScanDriver::State::Finished);
        const auto rows = f.rows(QStringLiteral("Musik"));
        QCOMPARE(rows.size(), list->GetStoredCount());
        QVERIFY(list->GetStoredCount() > 600);
        QCOMPARE(list->GetFailedCount(), 0);
        for (const CKivMp3::Ptr &item : list->items()) {
            if (item->GetID() != -1)
                QCOMPARE(rows.value(item->GetSubPath() + item->GetFilename()).id, item->GetID());
        }
    }

    void refusedRowCostsOnlyItself()
    {
        for (int i = 1; i <= 10; ++i)
            QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a%1.mp3").arg(i, 2, 10, QLatin1Char('0')), "A", 2));
        QVERIFY(f.scan(QStringLiteral("Musik")));
        QVERIFY(f.exec(QStringLiteral("UPDATE Mp3s SET Bewertung=5 WHERE Filename='a05.mp3'")));

        // New files before and after one the catalog refuses, all in the same transaction.
        for (int i = 1; i <= 5; ++i)
            QVERIFY(ScanFixture::writeSong(root + QStringLiteral("b%1.mp3").arg(i, 2, 10, QLatin1Char('0')), "B", 2));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("bad.mp3"), "Bad", 2));
        for (int i = 1; i <= 9; ++i)
            QVERIFY(ScanFixture::writeSong(root + QStringLiteral("c%1.mp3").arg(i, 2, 10, QLatin1Char('0')), "C", 2));
        if (f.db().dialect().engine() == CKivSqlDialect::Engine::PostgreSQL) {
            QVERIFY(f.exec(QStringLiteral("CREATE OR REPLACE FUNCTION refuse_bad() RETURNS trigger AS $$ BEGIN "
                                          "IF NEW.filename = 'bad.mp3' THEN RAISE EXCEPTION 'refused'; END IF; "
                                          "RETURN NEW; END $$ LANGUAGE plpgsql")));
            QVERIFY(f.exec(QStringLiteral("CREATE TRIGGER refuse_bad BEFORE INSERT ON Mp3s FOR EACH ROW "
                                          "EXECUTE FUNCTION refuse_bad()")));
        } else {
            QVERIFY(f.exec(QStringLiteral("CREATE TRIGGER refuse_bad BEFORE INSERT ON Mp3s WHEN "
                                          "NEW.Filename = 'bad.mp3' BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        }

        const auto list = f.scan(QStringLiteral("Musik"));
        QVERIFY(list);
        QCOMPARE(list->GetStoredCount(), 24);
        QCOMPARE(list->GetFailedCount(), 1);
        QCOMPARE(f.ui.count(QStringLiteral("Datenbank Fehler")), 1);

        const auto rows = f.rows(QStringLiteral("Musik"));
        QCOMPARE(rows.size(), 24);
        QVERIFY(!rows.contains(QStringLiteral("bad.mp3")));
        QCOMPARE(rows.value(QStringLiteral("a05.mp3")).rating, 5);
        // Every item knows the ID of its own row, never the ID of a row taken back.
        for (const CKivMp3::Ptr &item : list->items()) {
            if (item->GetFilename() == QLatin1String("bad.mp3"))
                continue;
            QCOMPARE(item->GetID(), rows.value(item->GetFilename()).id);
        }
    }
};

MELVORA_TEST(ScanDriverTest, CatalogFixture::isolateOdbcIni);

#include "ScanDriverTest.moc"
