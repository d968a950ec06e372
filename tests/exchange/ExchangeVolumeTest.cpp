#include "support/TestRegistry.h"

#include "browse/Mp3Liste.h"
#include "exchange/ExchangeFixture.h"
#include "exchange/ExchangeReader.h"
#include "exchange/ExchangeTexts.h"
#include "exchange/ExportRun.h"
#include "exchange/ImportRun.h"
#include "mp3/item/Mp3Row.h"

#include <QProcess>

#include <sys/mount.h>

// Export into volumes (sizes, folders, export files, a full disk) and the import of delivered files
// (never over an existing file).
class ExchangeVolumeTest : public QObject
{
    Q_OBJECT

    ExchangeFixture m_f;
    QString m_mounted;

    // A requested item of Bert's medium, as his reading of an import list makes it.
    CKivMp3::Ptr requested(CKivMedienListe &media, const QString &name, qint32 size, int mark)
    {
        CKivMp3Data data;
        data.m_Mediumname = QStringLiteral("Bert");
        data.m_SubPath = QStringLiteral("Pop\\");
        data.m_Filename = name;
        data.m_FileSize = size;
        return CKivMp3::FromRequestedRow(media.FindMedium(QStringLiteral("Bert")), data, {}, mark,
                                         QStringLiteral("Anna"), QStringLiteral("In\\"), name);
    }

    static QStringList recordNames(const QString &exportFile)
    {
        QStringList names;
        const auto contents = KivExchangeFile::Read(exportFile);
        if (contents) {
            for (const KivExchangeFile::Record &r : contents->records)
                names << QString::number(r.importId) + QLatin1Char(' ') + r.sourceSubPath + r.sourceFilename;
        }
        return names;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.setUp());
    }

    void cleanup()
    {
        if (!m_mounted.isEmpty())
            ::umount(QFile::encodeName(m_mounted).constData());
        m_mounted.clear();
    }

    void volumesFollowTheSize_data()
    {
        QTest::addColumn<qint64>("sizeMb");
        QTest::addColumn<bool>("trailingSlash");
        QTest::addColumn<QStringList>("volumes");
        // Sizes as the catalog holds them; the copy itself is not what is tested here.
        QTest::newRow("no limit") << qint64(0) << false << QStringList{QStringLiteral("Volume 0: 1 2 3")};
        QTest::newRow("650 MB") << qint64(650) << false
                                << QStringList{QStringLiteral("Volume 0: 1"), QStringLiteral("Volume 1: 2 3")};
        QTest::newRow("path ending in slash") << qint64(650) << true
                                              << QStringList{QStringLiteral("Volume 0: 1"),
                                                             QStringLiteral("Volume 1: 2 3")};
        // A file larger than a volume closes the current one, even an empty one.
        QTest::newRow("file larger than a volume") << qint64(350) << false
                                                   << QStringList{QStringLiteral("Volume 0:"),
                                                                  QStringLiteral("Volume 1: 1"),
                                                                  QStringLiteral("Volume 2: 2 3")};
    }

    void volumesFollowTheSize()
    {
        QFETCH(qint64, sizeMb);
        QFETCH(bool, trailingSlash);
        QFETCH(QStringList, volumes);
        auto media = m_f.mediaOf(m_f.bert);
        const std::vector<CKivMp3::Ptr> items{requested(*media, QStringLiteral("a.mp3"), 400000000, 1),
                                              requested(*media, QStringLiteral("b.mp3"), 300000000, 2),
                                              requested(*media, QStringLiteral("c.mp3"), 1000, 3)};
        CKivExportRun run(trailingSlash ? m_f.out : m_f.out.chopped(1), sizeMb, QStringLiteral("wish.exp"), QStringLiteral("Bert"));
        QStringList copiedInto;
        run.SetCopier([&](CKivMp3 &item, const QString &folder) -> std::optional<QString> {
            copiedInto << folder;
            return item.GetFilename();
        });
        const CKivExportRun::Result result = run.Run(items, media.get());
        QVERIFY(result.ran);
        QCOMPARE(result.exported, 3);
        QStringList got;
        for (const CKivExportRun::Volume &v : result.volumes) {
            QVERIFY(v.written);
            QVERIFY(!v.folder.contains(QStringLiteral("//")));
            const QStringList records = recordNames(v.folder + QStringLiteral("/wish.exp"));
            QCOMPARE(records.size(), v.files);
            QString line = QFileInfo(v.folder).fileName() + QLatin1Char(':');
            for (const QString &r : records)
                line += QLatin1Char(' ') + r.section(QLatin1Char(' '), 0, 0);
            got << line;
        }
        QCOMPARE(got, volumes);
        QCOMPARE(copiedInto.constFirst(), m_f.out + (sizeMb == 350 ? QStringLiteral("Volume 1") : QStringLiteral("Volume 0")));
    }

    void realFilesLandBelowTheirSubPath()
    {
        auto media = m_f.mediaOf(m_f.bert);
        CRsMp3s rs(m_f.db());
        QVERIFY(rs.OpenByKey(QStringLiteral("(Bert)Pop\\x.mp3")));
        const CKivMp3::Ptr item = CKivMp3::FromRequestedRow(media->FindMedium(QStringLiteral("Bert")),
                                                            KivMp3Row::Read(rs), {}, 5, QStringLiteral("Anna"),
                                                            QStringLiteral("In\\"), QStringLiteral("x.mp3"));
        rs.Close();
        // A file of that name is in the volume already: the copy takes a free name and the record says so.
        QVERIFY(ExchangeFixture::song(m_f.out + QStringLiteral("Volume 0/Pop/x.mp3"), "other"));
        CKivExportRun run(m_f.out, 0, QStringLiteral("wish.exp"), QStringLiteral("Bert"));
        const CKivExportRun::Result result = run.Run({item}, media.get());
        QCOMPARE(result.exported, 1);
        QCOMPARE(recordNames(m_f.out + QStringLiteral("Volume 0/wish.exp")), QStringList{QStringLiteral("5 Pop\\x (2).mp3")});
        QCOMPARE(ExchangeFixture::contents(m_f.out + QStringLiteral("Volume 0/Pop/x (2).mp3")),
                 ExchangeFixture::contents(m_f.rootBert + QStringLiteral("Pop/x.mp3")));
    }

    void fullDiskLeavesOutTheFileAndGoesOn()
    {
        auto media = m_f.mediaOf(m_f.bert);
        QVERIFY(ExchangeFixture::song(m_f.rootBert + QStringLiteral("Pop/big.mp3"), "B"));
        QFile big(m_f.rootBert + QStringLiteral("Pop/big.mp3"));
        QVERIFY(big.open(QIODevice::Append));
        QVERIFY(big.write(QByteArray(200 * 1024, 'x')) > 0);
        big.close();
        const std::vector<CKivMp3::Ptr> items{requested(*media, QStringLiteral("x.mp3"), 1, 1),
                                              requested(*media, QStringLiteral("big.mp3"), 1, 2),
                                              requested(*media, QStringLiteral("y.mp3"), 1, 3)};
        const QString disk = m_f.ws.folder(QStringLiteral("small-disk"));
        CKivExportRun run(disk, 0, QStringLiteral("wish.exp"), QStringLiteral("Bert"));
        if (::mount("tmpfs", QFile::encodeName(disk).constData(), "tmpfs", 0, "size=128k") == 0) {
            m_mounted = disk;
        } else {
            // No file system of our own here: the copy of big fails as a full disk makes it fail.
            run.SetCopier([](CKivMp3 &item, const QString &folder) -> std::optional<QString> {
                if (item.GetFilename() == QLatin1String("big.mp3"))
                    return std::nullopt;
                return item.CopyToExportVolume(folder);
            });
        }
        m_f.ws.ui.clear();
        const CKivExportRun::Result result = run.Run(items, media.get());
        QCOMPARE(result.exported, 2);
        QCOMPARE(result.failed, 1);
        QCOMPARE(m_f.told(KivExchangeTexts::CopyFailures(1)), 1);
        QCOMPARE(recordNames(disk + QStringLiteral("Volume 0/wish.exp")),
                 (QStringList{QStringLiteral("1 Pop\\x.mp3"), QStringLiteral("3 Pop\\y.mp3")}));
        // No half copy is left behind.
        QVERIFY(!QFile::exists(disk + QStringLiteral("Volume 0/Pop/big.mp3")));
    }

    void importNeverOverwritesAndTheRowTakesTheNameUsed()
    {
        auto annas = m_f.mediaOf(m_f.anna);
        QVERIFY(m_f.request(*annas, QStringLiteral("x.mp3")));
        const auto row = m_f.row(QStringLiteral("(Anna)In\\x.mp3"));
        QVERIFY(row);
        // The delivered volume, and a file of the same name already where Anna wants hers.
        QVERIFY(ExchangeFixture::song(m_f.out + QStringLiteral("Pop/x.mp3"), "delivered"));
        QVERIFY(ExchangeFixture::song(m_f.rootAnna + QStringLiteral("In/x.mp3"), "mine"));
        const QByteArray mine = ExchangeFixture::contents(m_f.rootAnna + QStringLiteral("In/x.mp3"));
        QVERIFY(KivExchangeFile::Write(m_f.out + QStringLiteral("wish.exp"), QStringLiteral("Bert"),
                                       {{row->m_ImportID, QStringLiteral("Bert"), QStringLiteral("Pop\\"),
                                         QStringLiteral("x.mp3"), QStringLiteral("Anna"), QStringLiteral("In\\"),
                                         QStringLiteral("x.mp3")}}));
        const auto loaded = KivExchangeReader::ReadExportFile(m_f.db(), annas.get(), m_f.out + QStringLiteral("wish.exp"));
        QVERIFY(loaded && loaded->entries[0].item);
        const KivImportRun::Result result = KivImportRun::Run({loaded->entries[0].item}, annas.get(), m_f.db());
        QCOMPARE(result.imported, 1);
        QCOMPARE(ExchangeFixture::contents(m_f.rootAnna + QStringLiteral("In/x.mp3")), mine);
        QCOMPARE(ExchangeFixture::contents(m_f.rootAnna + QStringLiteral("In/x (2).mp3")),
                 ExchangeFixture::contents(m_f.out + QStringLiteral("Pop/x.mp3")));
        const auto imported = m_f.row(QStringLiteral("(Anna)In\\x (2).mp3"));
        QVERIFY(imported);
        QCOMPARE(imported->m_ImportID, 0);
        QVERIFY(!m_f.row(QStringLiteral("(Anna)In\\x.mp3")));
        QCOMPARE(m_f.importRows(), 0);
    }

    // The rows of an import's files are written together; a file whose row the catalog refuses (its
    // new key is taken) is undone alone, wherever it stands in the chunk.
    void aRefusedRowUndoesOnlyItsOwnImport_data()
    {
        QTest::addColumn<bool>("refusedFirst");
        QTest::newRow("refused first") << true;
        QTest::newRow("refused after an imported one") << false;
    }

    void aRefusedRowUndoesOnlyItsOwnImport()
    {
        QFETCH(bool, refusedFirst);
        auto annas = m_f.mediaOf(m_f.anna);
        QVERIFY(m_f.request(*annas, QStringLiteral("x.mp3")));
        QVERIFY(m_f.request(*annas, QStringLiteral("y.mp3")));
        const auto rowX = m_f.row(QStringLiteral("(Anna)In\\x.mp3"));
        const auto rowY = m_f.row(QStringLiteral("(Anna)In\\y.mp3"));
        QVERIFY(rowX && rowY);
        // x.mp3 is taken on disk, so its copy becomes "x (2).mp3", a key another row already holds.
        QVERIFY(ExchangeFixture::song(m_f.rootAnna + QStringLiteral("In/x.mp3"), "mine"));
        const QString taken = m_f.rootAnna + QStringLiteral("In/x (2).mp3");
        QVERIFY(ExchangeFixture::song(taken, "gone"));
        QVERIFY(CKivMp3::FromFile(annas->FindMedium(QStringLiteral("Anna")), QStringLiteral("In\\"),
                                  QStringLiteral("x (2).mp3"), false)
                    ->Save(m_f.db()));
        QVERIFY(QFile::remove(taken));
        for (const char *name : {"x.mp3", "y.mp3"})
            QVERIFY(ExchangeFixture::song(m_f.out + QStringLiteral("Pop/") + QLatin1String(name), name));
        QVERIFY(KivExchangeFile::Write(
            m_f.out + QStringLiteral("wish.exp"), QStringLiteral("Bert"),
            {{rowX->m_ImportID, QStringLiteral("Bert"), QStringLiteral("Pop\\"), QStringLiteral("x.mp3"),
              QStringLiteral("Anna"), QStringLiteral("In\\"), QStringLiteral("x.mp3")},
             {rowY->m_ImportID, QStringLiteral("Bert"), QStringLiteral("Pop\\"), QStringLiteral("y.mp3"),
              QStringLiteral("Anna"), QStringLiteral("In\\"), QStringLiteral("y.mp3")}}));
        const auto loaded = KivExchangeReader::ReadExportFile(m_f.db(), annas.get(), m_f.out + QStringLiteral("wish.exp"));
        QVERIFY(loaded && loaded->entries.size() == 2 && loaded->entries[0].item && loaded->entries[1].item);
        CKivMp3::Ptr x = loaded->entries[0].item;
        CKivMp3::Ptr y = loaded->entries[1].item;
        m_f.ws.ui.clear();
        const KivImportRun::Result result =
            KivImportRun::Run(refusedFirst ? std::vector<CKivMp3::Ptr>{x, y} : std::vector<CKivMp3::Ptr>{y, x},
                              annas.get(), m_f.db());
        QCOMPARE(result.imported, 1);
        QCOMPARE(result.failed, 1);
        QCOMPARE(m_f.told(KivExchangeTexts::CopyFailures(1)), 1);
        // y arrived and its row is an ordinary one.
        QCOMPARE(ExchangeFixture::contents(m_f.rootAnna + QStringLiteral("In/y.mp3")),
                 ExchangeFixture::contents(m_f.out + QStringLiteral("Pop/y.mp3")));
        const auto importedY = m_f.row(QStringLiteral("(Anna)In\\y.mp3"));
        QVERIFY(importedY);
        QCOMPARE(importedY->m_ImportID, 0);
        QCOMPARE(y->GetImportID(), 0);
        // x still waits, in the catalog and in the list, and its copy is gone.
        QVERIFY(!QFile::exists(taken));
        const auto waitingX = m_f.row(QStringLiteral("(Anna)In\\x.mp3"));
        QVERIFY(waitingX);
        QCOMPARE(waitingX->m_ImportID, rowX->m_ImportID);
        QCOMPARE(x->GetImportID(), rowX->m_ImportID);
        QCOMPARE(x->GetFilename(), QStringLiteral("x.mp3"));
        QCOMPARE(m_f.importRows(), 1);
    }

    void hostileExportReadsNothingOutsideTheVolume()
    {
        auto annas = m_f.mediaOf(m_f.anna);
        QVERIFY(m_f.request(*annas, QStringLiteral("x.mp3")));
        const auto row = m_f.row(QStringLiteral("(Anna)In\\x.mp3"));
        QVERIFY(row);
        // The record points at a file beside the volume, not inside it.
        QVERIFY(ExchangeFixture::song(m_f.ws.dir.filePath(QStringLiteral("secret.mp3")), "secret"));
        const QString volume = m_f.ws.folder(QStringLiteral("out/vol"));
        QVERIFY(KivExchangeFile::Write(volume + QStringLiteral("wish.exp"), QString(),
                                       {{row->m_ImportID, QStringLiteral("Bert"), QStringLiteral("..\\..\\"),
                                         QStringLiteral("secret.mp3"), QStringLiteral("Anna"), QStringLiteral("In\\"),
                                         QStringLiteral("x.mp3")}}));
        m_f.ws.ui.clear();
        CKivMp3Liste list(m_f.db());
        list.SetMedia(annas.get());
        QVERIFY(KivExchangeReader::LoadExportFile(list, volume + QStringLiteral("wish.exp"), nullptr));
        QCOMPARE(list.ItemCount(), 0);
        QCOMPARE(m_f.ws.ui.count(KivExchangeTexts::UnsafeRecordsCaption()), 1);
        QVERIFY(!QFile::exists(m_f.rootAnna + QStringLiteral("In/x.mp3")));
    }
};

MELVORA_TEST(ExchangeVolumeTest);

#include "ExchangeVolumeTest.moc"
