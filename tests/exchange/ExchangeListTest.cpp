#include "support/TestRegistry.h"

#include "browse/Mp3Liste.h"
#include "catalog/RsBenutzer.h"
#include "exchange/ExchangeReader.h"
#include "exchange/ExchangeTexts.h"
#include "exchange/ExchangeWriter.h"
#include "exchange/KeyLookup.h"
#include "exchange/ExchangeFixture.h"
#include "mp3/item/Mp3Status.h"

#include <QSignalSpy>

// Import lists and export files against the catalog: what is written, what is read back, and what
// is skipped.
class ExchangeListTest : public QObject
{
    Q_OBJECT

    ExchangeFixture m_f;

    // Anna's pending imports of x and y, as her list of waiting files shows them.
    std::vector<CKivMp3::Ptr> annasWaiting(CKivMedienListe &media)
    {
        CKivMp3Liste list(m_f.db());
        list.SetMedia(&media);
        list.LoadToImport(QStringLiteral("Anna"));
        return list.GetItems();
    }

    static void writeRaw(const QString &path, const QString &sender, const std::vector<KivExchangeFile::Record> &records)
    {
        QVERIFY(KivExchangeFile::Write(path, sender, records));
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.setUp());
    }

    void senderTextComesFromTheUsersRow()
    {
        QCOMPARE(KivExchangeWriter::SenderText(m_f.db(), m_f.anna),
                 QStringLiteral("Vor anna, Nach anna, anna@example.org"));
        QCOMPARE(KivExchangeWriter::SenderText(m_f.db(), 4711), QString());
    }

    void waitingImportsAreWrittenInListOrder()
    {
        auto media = m_f.mediaOf(m_f.anna);
        QVERIFY(m_f.request(*media, QStringLiteral("x.mp3")));
        QVERIFY(m_f.request(*media, QStringLiteral("y.mp3")));
        const std::vector<CKivMp3::Ptr> items = annasWaiting(*media);
        QCOMPARE(items.size(), size_t(2));
        QCOMPARE(items[0]->StatusCode(media.get()), int(KivMp3Status::ImportWaiting));
        const QString path = m_f.out + QStringLiteral("wish.imp");
        QCOMPARE(KivExchangeWriter::SaveImportList(path, items, media.get(), QStringLiteral("Anna")), 2);
        const auto contents = KivExchangeFile::Read(path);
        QVERIFY(contents);
        QCOMPARE(contents->sender, QStringLiteral("Anna"));
        QCOMPARE(contents->records.size(), size_t(2));
        const KivExchangeFile::Record &r = contents->records[0];
        QCOMPARE(r.importId, items[0]->GetImportID());
        QCOMPARE(r.sourceMedium + r.sourceSubPath + r.sourceFilename, QStringLiteral("BertPop\\") + items[0]->GetFilename());
        QCOMPARE(r.destMedium + r.destSubPath + r.destFilename, QStringLiteral("AnnaIn\\") + items[0]->GetFilename());
    }

    void onlyWaitingRowsAreWritten_data()
    {
        QTest::addColumn<bool>("sourceOnline");
        QTest::addColumn<bool>("select");
        QTest::addColumn<int>("written");
        QTest::addColumn<qint64>("size");
        QTest::newRow("source offline") << false << true << 1 << qint64(1204);
        // A pending import whose source is online (status 4) is not requested: header alone.
        QTest::newRow("source online") << true << true << 0 << qint64(200);
        QTest::newRow("nothing selected") << false << false << -1 << qint64(-1);
    }

    void onlyWaitingRowsAreWritten()
    {
        QFETCH(bool, sourceOnline);
        QFETCH(bool, select);
        QFETCH(int, written);
        QFETCH(qint64, size);
        auto media = m_f.mediaOf(m_f.anna);
        QVERIFY(m_f.request(*media, QStringLiteral("x.mp3")));
        if (sourceOnline) {
            // Bert's medium comes online for Anna: its header is in her folder now.
            QVERIFY(CKivMedium::WriteHeaderFile(m_f.rootBertAtAnna, QStringLiteral("Bert")));
            media = m_f.mediaOf(m_f.anna);
        }
        std::vector<CKivMp3::Ptr> items = select ? annasWaiting(*media) : std::vector<CKivMp3::Ptr>{};
        const QString path = m_f.out + QStringLiteral("w.imp");
        m_f.ws.ui.clear();
        QCOMPARE(KivExchangeWriter::SaveImportList(path, items, media.get(), QString()), written);
        QCOMPARE(QFileInfo(path).exists() ? QFileInfo(path).size() : qint64(-1), size);
        QCOMPARE(m_f.told(KivExchangeTexts::NothingToImport()), select ? 0 : 1);
    }

    void friendReadsTheRequestedFilesWithTheirStatus()
    {
        const QString path = m_f.out + QStringLiteral("wish.imp");
        writeRaw(path, QStringLiteral("Vor anna, Nach anna, anna@example.org"),
                 {{11, QStringLiteral("Bert"), QStringLiteral("Pop\\"), QStringLiteral("x.mp3"), QStringLiteral("Anna"),
                   QStringLiteral("In\\"), QStringLiteral("x.mp3")},
                  {12, QStringLiteral("Bert"), QStringLiteral("Pop\\"), QStringLiteral("gone.mp3"), QStringLiteral("Anna"),
                   QStringLiteral("In\\"), QStringLiteral("gone.mp3")},
                  {13, QStringLiteral("Bert"), QStringLiteral("Pop\\"), QStringLiteral("y.mp3"), QStringLiteral("Anna"),
                   QStringLiteral("Neu\\"), QStringLiteral("y2.mp3")}});
        auto media = m_f.mediaOf(m_f.bert);
        CKivMp3Liste list(m_f.db());
        list.SetMedia(media.get());
        QSignalSpy replaced(&list, &CKivMp3Liste::itemsReplaced);
        QString sender;
        QVERIFY(KivExchangeReader::LoadImportList(list, path, &sender));
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(sender, QStringLiteral("Vor anna, Nach anna, anna@example.org"));
        QCOMPARE(list.ItemCount(), 2);
        QCOMPARE(list.GetCount(), 2);
        const CKivMp3::Ptr y = list.GetItems()[1];
        QCOMPARE(y->GetFilename(), QStringLiteral("y.mp3"));
        QCOMPARE(y->GetListMark(), 13);
        QCOMPARE(y->ImportData().m_DestSubPath + y->ImportData().m_DestFilename, QStringLiteral("Neu\\y2.mp3"));
        QCOMPARE(y->StatusCode(media.get()), int(KivMp3Status::RequestedOnline));
        QCOMPARE(list.GetTotalSize(), qint64(list.GetItems()[0]->GetFileSize()) + y->GetFileSize());

        // While Bert's medium is not there, the request cannot be served: status 7.
        QFile::remove(CKivMediumHeaderFile::PathIn(m_f.rootBert));
        media->CheckOnline();
        QCOMPARE(y->StatusCode(media.get()), int(KivMp3Status::RequestedOffline));
    }

    void headerOnlyAndMissingFilesGiveEmptyLists()
    {
        auto media = m_f.mediaOf(m_f.bert);
        CKivMp3Liste list(m_f.db());
        list.SetMedia(media.get());
        const QString path = m_f.out + QStringLiteral("empty.imp");
        writeRaw(path, QStringLiteral("x"), {});
        QString sender;
        QVERIFY(KivExchangeReader::LoadImportList(list, path, &sender));
        QCOMPARE(list.ItemCount(), 0);
        QCOMPARE(sender, QStringLiteral("x"));
        m_f.ws.ui.clear();
        QVERIFY(!KivExchangeReader::LoadExportFile(list, m_f.out + QStringLiteral("none.exp"), &sender));
        QCOMPARE(m_f.told(KivExchangeTexts::FileError()), 1);
        QCOMPARE(list.ItemCount(), 0);
    }

    void hostileRecordsAreSkippedAndNamed()
    {
        const QString path = m_f.out + QStringLiteral("evil.imp");
        writeRaw(path, QString(),
                 {{1, QStringLiteral("Bert"), QStringLiteral("..\\..\\"), QStringLiteral("x.mp3"), QStringLiteral("Anna"),
                   QStringLiteral("In\\"), QStringLiteral("x.mp3")},
                  {2, QStringLiteral("Bert"), QStringLiteral("Pop\\"), QStringLiteral("x.mp3"), QStringLiteral("Anna"),
                   QStringLiteral("\\etc\\"), QStringLiteral("x.mp3")},
                  {3, QStringLiteral("Bert"), QStringLiteral("Pop\\"), QStringLiteral("y.mp3"), QStringLiteral("Anna"),
                   QStringLiteral("In\\"), QStringLiteral("y.mp3")}});
        auto media = m_f.mediaOf(m_f.bert);
        m_f.ws.ui.clear();
        const auto loaded = KivExchangeReader::ReadImportList(m_f.db(), media.get(), path);
        QVERIFY(loaded);
        QCOMPARE(loaded->entries.size(), size_t(3));
        QVERIFY(loaded->entries[0].unsafe && !loaded->entries[0].item);
        QVERIFY(loaded->entries[1].unsafe && !loaded->entries[1].item);
        QVERIFY(!loaded->entries[2].unsafe && loaded->entries[2].item);
        QCOMPARE(m_f.ws.ui.count(KivExchangeTexts::UnsafeRecordsCaption()), 1);
        QVERIFY(m_f.ws.ui.messages().constFirst().text.contains(QStringLiteral("(Bert)..\\..\\x.mp3")));
    }

    void exportWhoseDestinationRowsWereDeletedIsEmpty()
    {
        auto media = m_f.mediaOf(m_f.anna);
        QVERIFY(m_f.request(*media, QStringLiteral("x.mp3")));
        const auto row = m_f.row(QStringLiteral("(Anna)In\\x.mp3"));
        QVERIFY(row);
        const KivExchangeFile::Record record{row->m_ImportID,     QStringLiteral("Bert"), QStringLiteral("Pop\\"),
                                             QStringLiteral("x.mp3"), QStringLiteral("Anna"), QStringLiteral("In\\"),
                                             QStringLiteral("x.mp3")};
        const QString path = m_f.out + QStringLiteral("wish.exp");
        writeRaw(path, QStringLiteral("Bert"), {record, record});
        CKivMp3Liste list(m_f.db());
        list.SetMedia(media.get());
        QVERIFY(KivExchangeReader::LoadExportFile(list, path, nullptr));
        // Each listed file counts once; they are ready to import.
        QCOMPARE(list.GetCount(), 2);
        QCOMPARE(list.GetItems()[0]->StatusCode(media.get()), int(KivMp3Status::ImportReady));
        QCOMPARE(list.GetItems()[0]->GetVolumeFile(), m_f.out + QStringLiteral("Pop/x.mp3"));

        CRsMp3s rs(m_f.db());
        QVERIFY(rs.OpenByKey(QStringLiteral("(Anna)In\\x.mp3")));
        QVERIFY(rs.Delete());
        rs.Close();
        QVERIFY(KivExchangeReader::LoadExportFile(list, path, nullptr));
        QCOMPARE(list.ItemCount(), 0);
        QCOMPARE(list.GetCount(), 0);
    }

    void keysAreLookedUpInBatches()
    {
        // More keys than one query takes, with quotes in them.
        QStringList keys;
        for (int i = 0; i < KivKeyLookup::BatchSize + 7; ++i)
            keys << QStringLiteral("(Bert)Pop\\it's %1.mp3").arg(i);
        keys << QStringLiteral("(Bert)Pop\\y.mp3") << QStringLiteral("(Bert)Pop\\x.mp3");
        QHash<QString, CKivMp3Data> rows;
        QVERIFY(KivKeyLookup::Rows(m_f.db(), keys, rows));
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.value(QStringLiteral("(Bert)Pop\\y.mp3")).m_Title, QStringLiteral("Y"));
    }
};

MELVORA_TEST(ExchangeListTest);

#include "ExchangeListTest.moc"
