#include "support/TestRegistry.h"

#include "mp3/item/Mp3ArchiveRecord.h"
#include "mp3item/ItemFixture.h"

// Saving by ID or key: one row per file, the creation date written once, the rating kept across a
// rescan, refused ratings.
class ItemSaveTest : public QObject
{
    Q_OBJECT

    ItemFixture m_f;
    QString m_root;
    std::unique_ptr<CKivMedium> m_medium;

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.recreate());
        m_root = m_f.folder(QStringLiteral("save"));
        m_medium = m_f.medium(QStringLiteral("Musik"), m_root);
        QVERIFY(m_medium);
        QVERIFY(ItemFixture::song(m_root, QStringLiteral("Rock\\"), QStringLiteral("a.mp3"), "Z"));
    }

    void newItemGetsARowWithItsCreationDate()
    {
        const CKivMp3::Ptr item = CKivMp3::FromFile(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("a.mp3"), false);
        QVERIFY(item->Save(m_f.db()));
        QVERIFY(item->GetID() > 0);
        const auto row = m_f.rowById(item->GetID());
        QVERIFY(row);
        QCOMPARE(row->m_MediumSubPathFilename, QStringLiteral("(Musik)Rock\\a.mp3"));
        QCOMPARE(row->m_SearchIndex, QStringLiteral("(Musik),Rock\\a.mp3,Album,Artist,Z,1999,Rock,"));
        QCOMPARE(row->m_Bewertung, 3);
        QCOMPARE(row->m_ArtistID, -1);
        QCOMPARE(row->m_ImportID, 0);
        QVERIFY(row->m_Anlegedatum.isValid());
        QVERIFY(!row->m_CreationTime.isValid());
        QCOMPARE(m_f.rowCount<CRsMp3s>(), 1);
    }

    void savingAKnownKeyUpdatesThatRow()
    {
        const CKivMp3::Ptr first = m_f.stored(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("a.mp3"));
        QVERIFY(first);
        const QDateTime created = m_f.rowById(first->GetID())->m_Anlegedatum;

        // Another item of the same file that does not know the ID, made from an archive record.
        CKivMp3Data d = first->Data();
        d.m_Title = QStringLiteral("From the archive");
        d.m_Bewertung = 2;
        const CKivMp3::Ptr again = CKivMp3::FromArchiveRecord(m_medium.get(), KivMp3ArchiveRecord::Fill(d));
        QVERIFY(again);
        QCOMPARE(again->GetID(), -1);
        QVERIFY(again->Save(m_f.db()));
        QCOMPARE(again->GetID(), first->GetID());
        QCOMPARE(again->GetAnlegedatum(), created);
        QCOMPARE(m_f.rowCount<CRsMp3s>(), 1);
        const auto row = m_f.rowById(first->GetID());
        QCOMPARE(row->m_Anlegedatum, created);
        QCOMPARE(row->m_Title, QStringLiteral("From the archive"));
        QCOMPARE(row->m_Bewertung, 2);
    }

    void rescanKeepsIdCreationDateAndRating()
    {
        const CKivMp3::Ptr first = m_f.stored(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("a.mp3"));
        QVERIFY(first);
        QVERIFY(first->SetRating(5, m_f.db()));
        const QDateTime created = m_f.rowById(first->GetID())->m_Anlegedatum;
        QVERIFY(ItemFixture::song(m_root, QStringLiteral("Rock\\"), QStringLiteral("b.mp3"), "New"));
        // The file's tag changed meanwhile.
        QVERIFY(ItemFixture::song(m_root, QStringLiteral("Rock\\"), QStringLiteral("a.mp3"), "Retagged"));
        QTest::qWait(20);

        for (bool quick : {false, true}) {
            const CKivMp3::Ptr rescanned = m_f.stored(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("a.mp3"), quick);
            QVERIFY(rescanned);
            QCOMPARE(rescanned->GetID(), first->GetID());
            QCOMPARE(rescanned->GetBewertung(), 5);
            QCOMPARE(rescanned->GetAnlegedatum(), created);
            const auto row = m_f.rowById(first->GetID());
            QCOMPARE(row->m_Bewertung, 5);
            QCOMPARE(row->m_Anlegedatum, created);
            QCOMPARE(row->m_Title, QStringLiteral("Retagged"));
            QCOMPARE(row->m_Frames, quick ? -1 : 40);
        }
        const CKivMp3::Ptr fresh = m_f.stored(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("b.mp3"));
        QCOMPARE(m_f.rowById(fresh->GetID())->m_Bewertung, 3);
        QCOMPARE(m_f.rowCount<CRsMp3s>(), 2);
    }

    void aScanThatKnowsTheRowCanHandItOver()
    {
        const CKivMp3::Ptr first = m_f.stored(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("a.mp3"));
        QVERIFY(first->SetRating(1, m_f.db()));
        const QDateTime created = m_f.rowById(first->GetID())->m_Anlegedatum;
        const CKivMp3::Ptr rescanned = CKivMp3::FromFile(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("a.mp3"), false);
        rescanned->AdoptStoredRow(first->GetID(), created, 1);
        CRsMp3s rs(m_f.db());
        QVERIFY(rescanned->Save(rs));
        QCOMPARE(m_f.rowById(first->GetID())->m_Bewertung, 1);
        QCOMPARE(m_f.rowCount<CRsMp3s>(), 1);
    }

    void rowGoneMeanwhileIsFoundByKeyOrAddedAgain()
    {
        const CKivMp3::Ptr item = m_f.stored(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("a.mp3"));
        const int oldId = item->GetID();
        CRsMp3s rs(m_f.db());
        QVERIFY(rs.OpenById(oldId));
        QVERIFY(rs.Delete());
        rs.Close();
        QVERIFY(item->Save(m_f.db()));
        QVERIFY(item->GetID() != oldId);
        QCOMPARE(m_f.rowCount<CRsMp3s>(), 1);
    }

    void ratingsOutsideOneToFiveAreRefused()
    {
        const CKivMp3::Ptr item = m_f.stored(m_medium.get(), QStringLiteral("Rock\\"), QStringLiteral("a.mp3"));
        QVERIFY(item->SetRating(4, m_f.db()));
        for (int bad : {0, 6, -1}) {
            QVERIFY(!item->SetRating(bad, m_f.db()));
            QCOMPARE(item->GetBewertung(), 4);
            QCOMPARE(m_f.rowById(item->GetID())->m_Bewertung, 4);
        }
        // The rating lives in the catalog only: an offline medium does not stop it.
        ItemFixture::setOffline(*m_medium, true);
        QVERIFY(item->SetRating(2, m_f.db()));
        QCOMPARE(m_f.rowById(item->GetID())->m_Bewertung, 2);
    }

};

MELVORA_TEST(ItemSaveTest, CatalogFixture::isolateOdbcIni);

#include "ItemSaveTest.moc"
