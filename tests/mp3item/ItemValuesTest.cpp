#include "support/TestRegistry.h"

#include "media/Medium.h"
#include "mp3/item/Mp3ArchiveRecord.h"
#include "mp3/item/Mp3Item.h"
#include "mp3/item/Mp3Status.h"
#include "mp3/item/SizeText.h"
#include "support/RecordingUi.h"

#include <QRandomGenerator>
#include <QtTest>

// The item's values without a catalog: composed texts, the status-code table, the archive record
// (round trip and damaged input) and the size text.
class ItemValuesTest : public QObject
{
    Q_OBJECT

    RecordingUi m_ui;

    static CKivMp3Data sample()
    {
        CKivMp3Data d;
        d.m_Mediumname = QStringLiteral("Musik");
        d.m_SubPath = QStringLiteral("Rock\\");
        d.m_Filename = QStringLiteral("a.mp3");
        d.m_Album = QStringLiteral("X");
        d.m_Artist = QStringLiteral("Y");
        d.m_Title = QStringLiteral("Z");
        d.m_Year = QStringLiteral("1999");
        d.m_GenreName = QStringLiteral("Rock");
        return d;
    }

private Q_SLOTS:
    void searchIndexAndKeyKeepEveryCommaAndText()
    {
        CKivMp3Data d = sample();
        QCOMPARE(d.ComposeSearchIndex(), QStringLiteral("(Musik),Rock\\a.mp3,X,Y,Z,1999,Rock,"));
        QCOMPARE(d.Key(), QStringLiteral("(Musik)Rock\\a.mp3"));

        // Nothing is trimmed or folded; empty fields keep their commas; the root has no sub-path.
        d.m_SubPath.clear();
        d.m_Album.clear();
        d.m_Title = QStringLiteral(" Zz ");
        d.m_Comment = QStringLiteral("It's");
        QCOMPARE(d.ComposeSearchIndex(), QStringLiteral("(Musik),a.mp3,,Y, Zz ,1999,Rock,It's"));
        QCOMPARE(d.Key(), QStringLiteral("(Musik)a.mp3"));
    }

    void statusCodesFollowTheTableOrder_data()
    {
        QTest::addColumn<bool>("marked");
        QTest::addColumn<int>("importId");
        QTest::addColumn<int>("listMark");
        QTest::addColumn<int>("sourceState");
        QTest::addColumn<int>("mediumState");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("code");
        const int none = KivMp3Status::NoMedium;
        // The mark wins over everything.
        QTest::newRow("marked import") << true << 5 << 3 << 2 << 2 << 1 << 3;
        QTest::newRow("import, list mark, all offline") << false << 5 << 3 << none << 1 << 1 << 4;
        QTest::newRow("import, source online") << false << 5 << 0 << 2 << 1 << 1 << 4;
        QTest::newRow("import, source offline") << false << 5 << 0 << 1 << 2 << 1 << 5;
        QTest::newRow("import, source unknown") << false << 5 << 0 << none << 2 << 1 << 5;
        QTest::newRow("requested, online") << false << 0 << 3 << none << 2 << 1 << 6;
        QTest::newRow("requested, offline") << false << 0 << 3 << none << 1 << 1 << 7;
        QTest::newRow("requested, unassigned") << false << 0 << 3 << none << 0 << 1 << 7;
        QTest::newRow("requested beats not stored") << false << 0 << 3 << none << 2 << -1 << 6;
        QTest::newRow("not stored, online") << false << 0 << 0 << none << 2 << -1 << 9;
        QTest::newRow("not assigned") << false << 0 << 0 << none << 0 << 1 << 1;
        QTest::newRow("offline") << false << 0 << 0 << none << 1 << 1 << 2;
        QTest::newRow("no medium") << false << 0 << 0 << none << none << 1 << 8;
        QTest::newRow("online") << false << 0 << 0 << none << 2 << 1 << 0;
    }

    void statusCodesFollowTheTableOrder()
    {
        QFETCH(bool, marked);
        QFETCH(int, importId);
        QFETCH(int, listMark);
        QFETCH(int, sourceState);
        QFETCH(int, mediumState);
        QFETCH(int, id);
        QFETCH(int, code);
        QCOMPARE(KivMp3Status::Compute(marked, importId, listMark, sourceState, mediumState, id), code);
    }

    void archiveRecordRoundTrip()
    {
        CKivMp3Data d = sample();
        d.m_Title = QStringLiteral("A title of exactly thirty char");  // 30 characters
        QCOMPARE(d.m_Title.size(), 30);
        d.m_Artist = QStringLiteral("Spaces   ");
        d.m_Comment = QStringLiteral("Grüße");
        d.m_SubPath = QStringLiteral("Rock\\Live\\");
        d.m_TrackNr = 7;
        d.m_Genre = 17;
        d.m_Frames = 1234;
        d.m_Length = -1;
        d.m_ChannelMode = 3;
        d.m_Bewertung = 5;
        d.m_FileSize = 123456789;
        d.m_Validity = 3;
        d.m_ArtistID = 42;
        const QByteArray record = KivMp3ArchiveRecord::Fill(d);
        QCOMPARE(record.size(), 520);
        // The full slot has no ending zero, the year fills its four bytes, the artist ID is always -1.
        QCOMPARE(record.mid(0, 30), QByteArray("A title of exactly thirty char"));
        QCOMPARE(record.mid(30, 1), QByteArray("S"));
        QCOMPARE(record.mid(90, 4), QByteArray("1999"));
        QCOMPARE(record.mid(452, 4), QByteArray("\xff\xff\xff\xff", 4));

        const std::optional<CKivMp3Data> back = KivMp3ArchiveRecord::Read(record);
        QVERIFY(back);
        // Texts come back without their padding; the IDs the record does not carry are unknown.
        QCOMPARE(back->m_Artist, QStringLiteral("Spaces"));
        QCOMPARE(back->m_Comment, QStringLiteral("Grüße"));
        QCOMPARE(back->m_ArtistID, -1);
        QCOMPARE(back->m_ID, -1);
        QCOMPARE(back->m_FolderID, -1);
        QCOMPARE(back->m_ImportID, 0);
        // Every other field comes back as written: writing what was read gives the same record.
        CKivMp3Data again = *back;
        again.m_Artist = d.m_Artist;
        QCOMPARE(KivMp3ArchiveRecord::Fill(again), record);
    }

    void archiveItemTakesTheNewMediumsName()
    {
        CKivMp3Data d = sample();
        d.m_Mediumname = QStringLiteral("Old name");
        std::unique_ptr<CKivMedium> medium = CKivMedium::NewCd(1, QStringLiteral("/cdrom/"));
        QVERIFY(medium->SetName(QStringLiteral("New")));
        const CKivMp3::Ptr item = CKivMp3::FromArchiveRecord(medium.get(), KivMp3ArchiveRecord::Fill(d));
        QVERIFY(item);
        QCOMPARE(item->GetMediumname(), QStringLiteral("New"));
        QCOMPARE(item->GetSearchIndex(), QStringLiteral("(New),Rock\\a.mp3,X,Y,Z,1999,Rock,"));
        QCOMPARE(item->MediumSubPathFilename(), QStringLiteral("(New)Rock\\a.mp3"));
        QCOMPARE(item->Medium(), medium.get());
        // A record written from the item gives the same record again.
        CKivMp3Data expected = d;
        expected.m_Mediumname = QStringLiteral("New");
        QCOMPARE(item->ArchiveRecord(), KivMp3ArchiveRecord::Fill(expected));
    }

    void damagedRecordsAreReadCalmly()
    {
        // A record cut short by the end of the file is no record.
        const QByteArray full = KivMp3ArchiveRecord::Fill(sample());
        QVERIFY(!KivMp3ArchiveRecord::Read(full.left(519)));
        QVERIFY(!KivMp3ArchiveRecord::Read(QByteArray()));
        QVERIFY(!CKivMp3::FromArchiveRecord(nullptr, full.left(300)));

        // All bytes 0xFF: texts without any zero, numbers -1; the rating and genre stay showable.
        const std::optional<CKivMp3Data> ff = KivMp3ArchiveRecord::Read(QByteArray(520, char(0xFF)));
        QVERIFY(ff);
        QCOMPARE(ff->m_Title.size(), 30);
        QCOMPARE(ff->m_Bewertung, 3);
        QCOMPARE(ff->m_Genre, 255);

        QByteArray odd = full;
        odd.replace(508, 4, QByteArray("\x09\x00\x00\x00", 4));   // rating 9
        odd.replace(460, 4, QByteArray("\x00\x01\x00\x00", 4));   // genre 256
        const std::optional<CKivMp3Data> clamped = KivMp3ArchiveRecord::Read(odd);
        QCOMPARE(clamped->m_Bewertung, 3);
        QCOMPARE(clamped->m_Genre, 255);

        // Random garbage never crashes and always yields texts no longer than their slots.
        QRandomGenerator random(4711);
        for (int i = 0; i < 200; ++i) {
            QByteArray garbage(520 + int(random.bounded(3)), '\0');
            for (char &c : garbage)
                c = char(random.bounded(256));
            const std::optional<CKivMp3Data> data = KivMp3ArchiveRecord::Read(garbage);
            QVERIFY(data);
            QVERIFY(data->m_SubPath.size() <= 150);
            QVERIFY(data->m_Bewertung >= 1 && data->m_Bewertung <= 5);
        }
    }

    void sizeTextShowsTheFractionWithItsLeadingZeros()
    {
        QCOMPARE(KivSizeText::Format(3045000), QStringLiteral("3,04 MB"));
        QCOMPARE(KivSizeText::Format(0), QStringLiteral("0,00 MB"));
        QCOMPARE(KivSizeText::Format(999999), QStringLiteral("0,99 MB"));
        QCOMPARE(KivSizeText::Format(12500000), QStringLiteral("12,50 MB"));
        // Totals beyond 32 bits do not wrap.
        QCOMPARE(KivSizeText::Format(5000000000LL), QStringLiteral("5000,00 MB"));
        QCOMPARE(KivSizeText::Format(-5), QStringLiteral("0,00 MB"));
    }
};

MELVORA_TEST(ItemValuesTest);

#include "ItemValuesTest.moc"
