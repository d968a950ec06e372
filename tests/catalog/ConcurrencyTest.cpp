#include "support/TestRegistry.h"

#include "catalog/RsFolder.h"
#include "catalog/RsImport.h"
#include "catalog/RsMedienNamen.h"
#include "catalog/Transaction.h"
#include "support/CatalogFixture.h"

#include <QSqlQuery>
#include <QThread>

#include <atomic>
#include <QtTest>

#include <memory>

// Two connections on two threads inserting at the same time: each must get the ID of its own row.
class ConcurrencyTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_fixture;

    struct Inserted
    {
        QList<qint32> importIds;
        QList<qint32> mediumIds;
        QList<qint32> folderIds;
        bool connected = false;
    };

    // Runs on its own thread with its own connection.
    void insertMany(const QString &who, int count, Inserted &out)
    {
        CKivDatabase db(m_fixture.settings());
        out.connected = db.Connect(false);
        if (!out.connected)
            return;
        CRsImport imports(db);
        CRsMedienNamen media(db);
        CRsFolder folders(db);
        for (int i = 0; i < count; ++i) {
            const QString n = QString::number(i);
            out.importIds << imports.AddImport(who, n + QLatin1Char('\\'), n + QLatin1String(".mp3"), who,
                                               QString(), n);
            media.AddNew();
            media.m_Mediumname = who + QLatin1Char('-') + n;
            out.mediumIds << (media.Update() ? media.m_ID : -1);
            // Both threads ask for the same folders at the same time.
            out.folderIds << folders.GetOrCreateFolder(QStringLiteral("Shared"),
                                                       QStringLiteral("F") + n + QLatin1Char('\\'), false);
        }
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_fixture.recreate()); }

    void concurrentInsertsGetTheirOwnIds()
    {
        const int count = 100;
        Inserted first;
        Inserted second;
        std::unique_ptr<QThread> a(
            QThread::create([&] { insertMany(QStringLiteral("first"), count, first); }));
        std::unique_ptr<QThread> b(
            QThread::create([&] { insertMany(QStringLiteral("second"), count, second); }));
        a->start();
        b->start();
        QVERIFY(a->wait(QDeadlineTimer(300000)));
        QVERIFY(b->wait(QDeadlineTimer(300000)));
        QVERIFY(first.connected && second.connected);

        CRsImport imports(m_fixture.db());
        CRsMedienNamen media(m_fixture.db());
        for (const auto &[who, ids] :
             {std::pair{QStringLiteral("first"), &first}, std::pair{QStringLiteral("second"), &second}}) {
            QCOMPARE(ids->importIds.size(), count);
            for (int i = 0; i < count; ++i) {
                QVERIFY2(imports.OpenById(ids->importIds[i]), qPrintable(who + QString::number(i)));
                QCOMPARE(imports.m_SourceMedium, who);
                QCOMPARE(imports.m_DestFilename, QString::number(i));
                QVERIFY(media.OpenById(ids->mediumIds[i]));
                QCOMPARE(media.m_Mediumname, who + QLatin1Char('-') + QString::number(i));
            }
        }
        // The folders both asked for exist once, and both got the same ID for each.
        QCOMPARE(first.folderIds, second.folderIds);
        QVERIFY(!first.folderIds.contains(-1));
        CRsFolder folders(m_fixture.db());
        QVERIFY(folders.Open());
        int rows = 0;
        for (; !folders.IsEOF(); folders.MoveNext())
            ++rows;
        QCOMPARE(rows, count);
    }

    // Two transactions that read and then write at the same time: the second waits for the first
    // instead of failing with "database is locked".
    void readThenWriteTransactionsWaitForEachOther()
    {
        std::atomic<int> inTransaction{0};
        const auto work = [&](const QString &name, bool &ok) {
            CKivDatabase db(m_fixture.settings());
            if (!db.Connect(false))
                return;
            for (int round = 0; round < 5; ++round) {
                CKivTransaction transaction(db);
                if (!transaction.IsActive())
                    return;
                ++inTransaction;
                QSqlQuery read(db.connection());
                if (!read.exec(QStringLiteral("SELECT COUNT(*) FROM MedienNamen")) || !read.next())
                    return;
                read.finish();
                QThread::msleep(50);
                CRsMedienNamen media(db);
                media.AddNew();
                media.m_Mediumname = name + QString::number(round);
                if (!media.Update() || !transaction.Commit())
                    return;
            }
            ok = true;
        };
        bool firstOk = false;
        bool secondOk = false;
        std::unique_ptr<QThread> a(QThread::create([&] { work(QStringLiteral("tx-a"), firstOk); }));
        std::unique_ptr<QThread> b(QThread::create([&] { work(QStringLiteral("tx-b"), secondOk); }));
        a->start();
        b->start();
        QVERIFY(a->wait(QDeadlineTimer(120000)));
        QVERIFY(b->wait(QDeadlineTimer(120000)));
        QVERIFY(firstOk);
        QVERIFY(secondOk);
        QCOMPARE(inTransaction.load(), 10);
    }
};

MELVORA_TEST(ConcurrencyTest, CatalogFixture::isolateOdbcIni);

#include "ConcurrencyTest.moc"
