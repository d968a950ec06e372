#include "support/TestRegistry.h"

#include "browse/Mp3Liste.h"
#include "exchange/ExchangeFixture.h"
#include "exchange/ExchangePaths.h"
#include "exchange/ExchangeReader.h"
#include "exchange/ExchangeWriter.h"
#include "exchange/ExportRun.h"
#include "exchange/ImportRun.h"
#include "mp3/item/Mp3Status.h"

// The whole exchange between two users of one catalog: Anna requests a file of Bert's medium, which
// is offline for her; Bert exports it into a volume; Anna imports it. At the end her copy is
// byte-identical with his file and her row is an ordinary one.
class ExchangeEndToEndTest : public QObject
{
    Q_OBJECT

    ExchangeFixture m_f;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.setUp());
    }

    void annaGetsBertsFile()
    {
        const QString wish = m_f.out + QStringLiteral("Wunsch.imp");
        // 1. Anna copies the file of Bert's offline medium into her folder In and writes the list.
        {
            auto media = m_f.mediaOf(m_f.anna);
            QCOMPARE(media->FindMedium(QStringLiteral("Bert"))->GetState(), int(CKivMedium::Offline));
            QVERIFY(m_f.request(*media, QStringLiteral("x.mp3")));
            CKivMp3Liste list(m_f.db());
            list.SetMedia(media.get());
            QVERIFY(list.LoadToImport(QStringLiteral("Anna")));
            QCOMPARE(list.ImportState(), 1);
            QCOMPARE(KivExchangeWriter::SaveImportList(wish, list.GetItems(), media.get(),
                                                       KivExchangeWriter::SenderText(m_f.db(), m_f.anna)),
                     1);
        }
        // 2. Bert reads it and exports into volumes below his folder.
        const QString volumes = m_f.ws.folder(QStringLiteral("volumes"));
        {
            auto media = m_f.mediaOf(m_f.bert);
            CKivMp3Liste list(m_f.db());
            list.SetMedia(media.get());
            QString sender;
            QVERIFY(KivExchangeReader::LoadImportList(list, wish, &sender));
            QCOMPARE(sender, QStringLiteral("Vor anna, Nach anna, anna@example.org"));
            QCOMPARE(list.ItemCount(), 1);
            QCOMPARE(list.GetItems()[0]->StatusCode(media.get()), int(KivMp3Status::RequestedOnline));
            CKivExportRun run(volumes, 650, KivExchangePaths::ExportFileName(wish),
                              KivExchangeWriter::SenderText(m_f.db(), m_f.bert));
            const CKivExportRun::Result result = run.Run(list.GetItems(), media.get());
            QCOMPARE(result.exported, 1);
            QCOMPARE(result.volumes.size(), size_t(1));
        }
        // 3. Anna opens the export file and imports.
        {
            auto media = m_f.mediaOf(m_f.anna);
            CKivMp3Liste list(m_f.db());
            list.SetMedia(media.get());
            QString sender;
            QVERIFY(KivExchangeReader::LoadExportFile(list, volumes + QStringLiteral("Volume 0/Wunsch.exp"), &sender));
            QCOMPARE(sender, QStringLiteral("Vor bert, Nach bert, bert@example.org"));
            QCOMPARE(list.ItemCount(), 1);
            QCOMPARE(list.ImportState(), 2);
            const KivImportRun::Result result = KivImportRun::Run(list.GetItems(), media.get(), m_f.db());
            QCOMPARE(result.imported, 1);
            QCOMPARE(result.failed, 0);
        }
        const QByteArray original = ExchangeFixture::contents(m_f.rootBert + QStringLiteral("Pop/x.mp3"));
        QVERIFY(!original.isEmpty());
        QCOMPARE(ExchangeFixture::contents(m_f.rootAnna + QStringLiteral("In/x.mp3")), original);
        const auto row = m_f.row(QStringLiteral("(Anna)In\\x.mp3"));
        QVERIFY(row);
        QCOMPARE(row->m_ImportID, 0);
        QCOMPARE(row->m_Title, QStringLiteral("X"));
        QCOMPARE(m_f.importRows(), 0);
        QVERIFY(m_f.ws.ui.messages().isEmpty());
    }
};

MELVORA_TEST(ExchangeEndToEndTest);

#include "ExchangeEndToEndTest.moc"
