#include "support/TestRegistry.h"

#include "media/MedienListe.h"
#include "catalog/RsImport.h"
#include "mp3item/ItemFixture.h"

// Pending imports: registering at a destination, the status codes of waiting and requested items,
// executing an import from a friend's medium or from an export volume, and the copy into a volume.
class ItemTransferTest : public QObject
{
    Q_OBJECT

    ItemFixture m_f;
    QString m_friendRoot;
    QString m_mineRoot;
    std::unique_ptr<CKivMedium> m_friend;
    std::unique_ptr<CKivMedium> m_mine;

    int importFolderFlag(const QString &medium, const QString &subPath)
    {
        CRsFolder folders(m_f.db());
        return folders.OpenByPath(medium, subPath) ? folders.m_IsImportFolder : -1;
    }

    // A file of the friend's medium registered as an import at Mine\In\x.mp3.
    CKivMp3::Ptr registered()
    {
        const CKivMp3::Ptr item = m_f.stored(m_friend.get(), QStringLiteral("Pop\\"), QStringLiteral("x.mp3"));
        if (!item || !item->RegisterAtDestination(m_mine.get(), QStringLiteral("In\\"), QStringLiteral("x.mp3"), true, m_f.db()))
            return nullptr;
        return item;
    }

    // The media as the logged-in user's set sees them.
    std::unique_ptr<CKivMedienListe> mediaSet()
    {
        auto media = std::make_unique<CKivMedienListe>(ItemFixture::User, QString());
        return media->Load(m_f.db()) ? std::move(media) : nullptr;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.recreate());
        m_friendRoot = m_f.folder(QStringLiteral("friend"));
        m_mineRoot = m_f.folder(QStringLiteral("mine"));
        m_friend = m_f.medium(QStringLiteral("Friend"), m_friendRoot);
        m_mine = m_f.medium(QStringLiteral("Mine"), m_mineRoot);
        QVERIFY(m_friend && m_mine);
        QVERIFY(ItemFixture::song(m_friendRoot, QStringLiteral("Pop\\"), QStringLiteral("x.mp3"), "X"));
    }

    void registeringAsImportAddsImportRowAndDestinationRow()
    {
        const CKivMp3::Ptr item = m_f.stored(m_friend.get(), QStringLiteral("Pop\\"), QStringLiteral("x.mp3"));
        const int sourceId = item->GetID();
        QVERIFY(item->RegisterAtDestination(m_mine.get(), QStringLiteral("In\\Deep\\"), QStringLiteral("x.mp3"), true, m_f.db()));
        QVERIFY(item->GetID() != sourceId);
        QVERIFY(item->GetImportID() > 0);
        QCOMPARE(item->Medium(), m_mine.get());
        QCOMPARE(m_f.rowCount<CRsMp3s>(), 2);
        QCOMPARE(m_f.rowCount<CRsImport>(), 1);
        QCOMPARE(importFolderFlag(QStringLiteral("Mine"), QStringLiteral("In\\")), 1);
        QCOMPARE(importFolderFlag(QStringLiteral("Mine"), QStringLiteral("In\\Deep\\")), 1);
        const auto row = m_f.row(QStringLiteral("(Mine)In\\Deep\\x.mp3"));
        QVERIFY(row);
        QCOMPARE(row->m_ImportID, item->GetImportID());
        QCOMPARE(row->m_Title, QStringLiteral("X"));
        QCOMPARE(item->ImportData().m_SourceMedium, QStringLiteral("Friend"));
        QCOMPARE(item->ImportData().m_SourceSubPath, QStringLiteral("Pop\\"));
        // The file itself stays where it is.
        QVERIFY(!QFile::exists(m_mineRoot + QStringLiteral("In/Deep/x.mp3")));
    }

    void registeringOntoATakenKeyIsRefused()
    {
        QVERIFY(registered());
        const CKivMp3::Ptr second = m_f.stored(m_friend.get(), QStringLiteral("Pop\\"), QStringLiteral("x.mp3"));
        m_f.ui.clear();
        QVERIFY(!second->RegisterAtDestination(m_mine.get(), QStringLiteral("In\\"), QStringLiteral("x.mp3"), true, m_f.db()));
        QVERIFY(m_f.told(QStringLiteral("Die Datei: x.mp3 kann nicht nach: (Mine)In\\ importiert werden,\nda schon eine "
                                        "Datei mit dem selben Namen exsistiert !"),
                         QStringLiteral("Warnung !")));
        QCOMPARE(second->GetMediumname(), QStringLiteral("Friend"));
        QCOMPARE(m_f.rowCount<CRsImport>(), 1);
        QCOMPARE(m_f.rowCount<CRsMp3s>(), 2);
    }

    void pendingImportStatusFollowsTheSourceMedium()
    {
        const CKivMp3::Ptr item = registered();
        QVERIFY(item);
        auto media = mediaSet();
        QVERIFY(media);
        QCOMPARE(item->StatusCode(media.get()), 4);
        CKivMedium *source = media->FindMedium(QStringLiteral("Friend"));
        ItemFixture::setOffline(*source, true);
        QCOMPARE(item->StatusCode(media.get()), 5);
        QCOMPARE(item->StatusCode(nullptr), 5);
        QVERIFY(!item->ExecuteImport(media.get(), m_f.db()));
        QCOMPARE(m_f.rowCount<CRsImport>(), 1);
    }

    void executingAnImportCopiesTheFileAndEndsTheImport()
    {
        const CKivMp3::Ptr item = registered();
        auto media = mediaSet();
        // Something else already lies at the destination: it is kept, the import takes a free name.
        QVERIFY(ItemFixture::song(m_mineRoot, QStringLiteral("In\\"), QStringLiteral("x.mp3"), "Mine already"));
        const int importId = item->GetImportID();
        QVERIFY(item->ExecuteImport(media.get(), m_f.db()));
        QCOMPARE(item->GetFilename(), QStringLiteral("x (2).mp3"));
        QCOMPARE(item->GetImportID(), 0);
        QVERIFY(item->ImportData().m_SourceMedium.isEmpty());
        QCOMPARE(SyntheticMp3::read(m_mineRoot + QStringLiteral("In/x (2).mp3")),
                 SyntheticMp3::read(m_friendRoot + QStringLiteral("Pop/x.mp3")));
        QVERIFY(SyntheticMp3::read(m_mineRoot + QStringLiteral("In/x.mp3")).contains("Mine already"));
        const auto row = m_f.rowById(item->GetID());
        QCOMPARE(row->m_ImportID, 0);
        QCOMPARE(row->m_MediumSubPathFilename, QStringLiteral("(Mine)In\\x (2).mp3"));
        QVERIFY(row->m_FolderID > 0);
        QCOMPARE(importFolderFlag(QStringLiteral("Mine"), QStringLiteral("In\\")), 0);
        // Nothing waits for this import any more.
        CRsImport imports(m_f.db());
        QVERIFY(!imports.OpenById(importId));
        QCOMPARE(m_f.rowCount<CRsImport>(), 0);
        QCOMPARE(item->StatusCode(media.get()), 0);
    }

    void executingWithAMissingSourceIsReported()
    {
        const CKivMp3::Ptr item = registered();
        auto media = mediaSet();
        QVERIFY(QFile::remove(m_friendRoot + QStringLiteral("Pop/x.mp3")));
        m_f.ui.clear();
        QVERIFY(!item->ExecuteImport(media.get(), m_f.db()));
        QVERIFY(m_f.told(QStringLiteral("Die Datei: x.mp3 kann nicht Importiert werden, da sie entweder\ngelöscht oder "
                                        "verschoben wurde."),
                         QStringLiteral("Datei nicht gefunden !")));
        QVERIFY(item->GetImportID() > 0);
        QCOMPARE(m_f.rowCount<CRsImport>(), 1);
    }

    void importFromAnExportVolumeNeedsOnlyTheVolumeFile()
    {
        const CKivMp3::Ptr pending = registered();
        const int importId = pending->GetImportID();
        // The export volume as the friend wrote it: the file below its sub-path.
        const QString volume = m_f.folder(QStringLiteral("Volume 0"));
        QVERIFY(ItemFixture::song(volume, QStringLiteral("Pop\\"), QStringLiteral("x.mp3"), "From the volume"));
        // The friend's medium is not reachable at all here.
        QVERIFY(m_friend->RemoveAssignment(m_f.db()));
        auto media = mediaSet();

        CRsMp3s rs(m_f.db());
        QVERIFY(rs.OpenByKey(QStringLiteral("(Mine)In\\x.mp3")));
        const CKivMp3::Ptr item = CKivMp3::FromExportedRow(m_mine.get(), rs, importId, volume + QStringLiteral("Pop/x.mp3"));
        rs.Close();
        QCOMPARE(item->StatusCode(media.get()), 4);

        // The destination must be online.
        ItemFixture::setOffline(*m_mine, true);
        QVERIFY(!item->ExecuteImport(media.get(), m_f.db()));
        QVERIFY(!QFile::exists(m_mineRoot + QStringLiteral("In/x.mp3")));
        ItemFixture::setOffline(*m_mine, false);

        QVERIFY(item->ExecuteImport(nullptr, m_f.db()));
        QCOMPARE(SyntheticMp3::read(m_mineRoot + QStringLiteral("In/x.mp3")),
                 SyntheticMp3::read(volume + QStringLiteral("Pop/x.mp3")));
        QCOMPARE(m_f.row(QStringLiteral("(Mine)In\\x.mp3"))->m_ImportID, 0);
        QCOMPARE(m_f.rowCount<CRsImport>(), 0);
        QCOMPARE(item->GetListMark(), 0);
        QCOMPARE(item->StatusCode(media.get()), 0);
    }

    void requestedItemsAndTheCopyIntoAVolume()
    {
        const CKivMp3::Ptr source = m_f.stored(m_friend.get(), QStringLiteral("Pop\\"), QStringLiteral("x.mp3"));
        CRsMp3s rs(m_f.db());
        QVERIFY(rs.OpenById(source->GetID()));
        const CKivMp3::Ptr item = CKivMp3::FromRequestedRow(m_friend.get(), rs, 17, QStringLiteral("Mine"),
                                                           QStringLiteral("In\\"), QStringLiteral("y.mp3"));
        rs.Close();
        QCOMPARE(item->GetListMark(), 17);
        QCOMPARE(item->ImportData().m_DestFilename, QStringLiteral("y.mp3"));
        QCOMPARE(item->StatusCode(nullptr), 6);

        const QString volume = m_f.dir.filePath(QStringLiteral("export/Volume 0"));
        QCOMPARE(item->CopyToExportVolume(volume).value_or(QString()), QStringLiteral("x.mp3"));
        QCOMPARE(item->CopyToExportVolume(volume).value_or(QString()), QStringLiteral("x (2).mp3"));
        QCOMPARE(SyntheticMp3::read(volume + QStringLiteral("/Pop/x.mp3")),
                 SyntheticMp3::read(m_friendRoot + QStringLiteral("Pop/x.mp3")));
        QCOMPARE(m_f.rowCount<CRsMp3s>(), 1);

        ItemFixture::setOffline(*m_friend, true);
        QCOMPARE(item->StatusCode(nullptr), 7);
        QVERIFY(!item->CopyToExportVolume(volume));
    }
};

MELVORA_TEST(ItemTransferTest, CatalogFixture::isolateOdbcIni);

#include "ItemTransferTest.moc"
