#include "browse/Filter.h"
#include "browse/FilterFeld.h"
#include "browse/Mp3Liste.h"
#include "catalog/RsImport.h"
#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumHeaderFile.h"
#include "mp3/item/Mp3Status.h"
#include "support/MediaWorkspace.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

// The MP3 list against a catalog on both engines: every load operation, rows of media the user does
// not have, the counters of pending imports, shared items and the invalid filter.
class Mp3ListeTest : public QObject, private MediaWorkspace
{
    Q_OBJECT

    std::unique_ptr<CKivMedienListe> m_media;
    static constexpr int OtherUser = 2;

    // A row as a scan would have stored it (no file needed for a list).
    void addMp3(const QString &medium, const QString &subPath, const QString &file, const QString &title,
                qint32 fileSize = 1000, qint32 importId = 0)
    {
        CKivMp3Data d;
        d.m_Mediumname = medium;
        d.m_SubPath = subPath;
        d.m_Filename = file;
        d.m_Title = title;
        CRsMp3s rs(db());
        rs.AddNew();
        rs.m_Mediumname = medium;
        rs.m_SubPath = subPath;
        rs.m_Filename = file;
        rs.m_Title = title;
        rs.m_Bewertung = 3;
        rs.m_FileSize = fileSize;
        rs.m_ImportID = importId;
        rs.m_MediumSubPathFilename = d.Key();
        rs.m_SearchIndex = d.ComposeSearchIndex();
        QVERIFY(rs.Update());
    }

    static QStringList files(const CKivMp3Liste &list)
    {
        QStringList names;
        for (const CKivMp3::Ptr &item : list)
            names << item->GetMediumname() + QLatin1Char(':') + item->GetSubPath() + item->GetFilename();
        names.sort();
        return names;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(recreate());
        // Medium A is the user's and online, B the user's but offline, C another user's.
        CKivMedienListe setup(User, QString());
        QVERIFY(setup.CreateFromFolder(db(), QStringLiteral("A"), folder(QStringLiteral("a"))));
        const QString rootB = folder(QStringLiteral("b"));
        QVERIFY(setup.CreateFromFolder(db(), QStringLiteral("B"), rootB));
        QVERIFY(QFile::remove(CKivMediumHeaderFile::PathIn(rootB)));
        CKivMedienListe other(OtherUser, QString());
        QVERIFY(other.CreateFromFolder(db(), QStringLiteral("C"), folder(QStringLiteral("c"))));
        m_media = std::make_unique<CKivMedienListe>(User, QString());
        QVERIFY(m_media->Load(db()));

        addMp3(QStringLiteral("A"), QString(), QStringLiteral("a.mp3"), QStringLiteral("Rock'n'Roll"));
        addMp3(QStringLiteral("A"), QStringLiteral("Rock\\"), QStringLiteral("b.mp3"), QStringLiteral("Bee"));
        addMp3(QStringLiteral("A"), QStringLiteral("Hard Rock\\"), QStringLiteral("c.mp3"), QStringLiteral("Sea"));
        addMp3(QStringLiteral("B"), QString(), QStringLiteral("d.mp3"), QStringLiteral("Rock'n'Roll too"));
        addMp3(QStringLiteral("C"), QString(), QStringLiteral("e.mp3"), QStringLiteral("Rock'n'Roll as well"));
        addMp3(QStringLiteral("Gone"), QString(), QStringLiteral("f.mp3"), QStringLiteral("Rock'n'Roll lost"));
    }

    void constructionAndMediumLoads()
    {
        CKivMp3Liste list(db());
        list.SetMedia(m_media.get());
        QSignalSpy replaced(&list, &CKivMp3Liste::itemsReplaced);

        list.LoadMedium(QStringLiteral("A"), QString());
        QCOMPARE(files(list), (QStringList{QStringLiteral("A:Hard Rock\\c.mp3"), QStringLiteral("A:Rock\\b.mp3"),
                                           QStringLiteral("A:a.mp3")}));
        QCOMPARE(list.GetMode(), 0);
        // The sub-path text may stand anywhere in the stored sub-path.
        list.LoadMedium(QStringLiteral("A"), QStringLiteral("Rock\\"));
        QCOMPARE(list.ItemCount(), 2);
        QCOMPARE(list.GetSubPath(), QStringLiteral("Rock\\"));
        // The user's offline medium is listed; another user's is not, nor one the catalog lacks.
        list.LoadMedium(QStringLiteral("B"), QString());
        QCOMPARE(files(list), QStringList{QStringLiteral("B:d.mp3")});
        QCOMPARE(list.GetItems().front()->StatusCode(m_media.get()), int(KivMp3Status::Offline));
        list.LoadMedium(QStringLiteral("C"), QString());
        QCOMPARE(list.ItemCount(), 0);
        list.LoadMedium(QStringLiteral("Gone"), QString());
        QCOMPARE(list.ItemCount(), 0);
        QCOMPARE(replaced.count(), 5);
        QVERIFY(!list.IsCounted());
    }

    void searchDoublesApostrophesAndSkipsMediaTheUserDoesNotHave()
    {
        CKivMp3Liste list(db());
        list.SetMedia(m_media.get());
        list.LoadMedium(QStringLiteral("A"), QStringLiteral("Rock\\"));
        list.Search(QStringLiteral("k'n'R"), QString());
        QCOMPARE(files(list), (QStringList{QStringLiteral("A:a.mp3"), QStringLiteral("B:d.mp3")}));
        QCOMPARE(list.GetMode(), 1);
        QVERIFY(list.GetSubPath().isEmpty());
        list.Search(QStringLiteral("k'n'R"), QStringLiteral("A"));
        QCOMPARE(files(list), QStringList{QStringLiteral("A:a.mp3")});
        // Case does not matter on either engine; no match empties the list.
        list.Search(QStringLiteral("ROCK'N'ROLL"), QStringLiteral("B"));
        QCOMPARE(list.ItemCount(), 1);
        list.Search(QStringLiteral("nothing like it"), QString());
        QCOMPARE(list.ItemCount(), 0);
        QVERIFY(ui.messages().isEmpty());
    }

    void withoutMediaNoRowIsShown()
    {
        CKivMp3Liste list(db());
        list.Search(QString(), QString());
        QCOMPARE(list.ItemCount(), 0);
    }

    void pendingImportsAreCountedBeyondThirtyTwoBits()
    {
        CRsImport imports(db());
        const qint32 fromA = imports.AddImport(QStringLiteral("A"), QString(), QStringLiteral("a.mp3"), QStringLiteral("B"),
                                               QString(), QStringLiteral("x.mp3"));
        const qint32 fromB = imports.AddImport(QStringLiteral("B"), QString(), QStringLiteral("d.mp3"), QStringLiteral("A"),
                                               QString(), QStringLiteral("y.mp3"));
        addMp3(QStringLiteral("B"), QString(), QStringLiteral("x.mp3"), QStringLiteral("X"), 2000000000, fromA);
        addMp3(QStringLiteral("B"), QStringLiteral("In\\"), QStringLiteral("z.mp3"), QStringLiteral("Z"), 2000000000, fromA);
        addMp3(QStringLiteral("A"), QString(), QStringLiteral("y.mp3"), QStringLiteral("Y"), 1500000, fromB);

        CKivMp3Liste list(db());
        list.SetMedia(m_media.get());
        QCOMPARE(list.ImportState(), 0);
        // Waiting for a source that is online: ready.
        QVERIFY(list.LoadToImport(QStringLiteral("B")));
        QCOMPARE(list.GetCount(), 2);
        QCOMPARE(list.CountText(), QStringLiteral("2"));
        QCOMPARE(list.GetTotalSize(), Q_INT64_C(4000000000));
        QCOMPARE(list.TotalSizeText(), QStringLiteral("4000,00 MB"));
        QCOMPARE(list.ImportState(), 2);
        // Waiting for the offline medium B: counted, not ready.
        QVERIFY(list.LoadToImport(QStringLiteral("A")));
        QCOMPARE(list.GetCount(), 1);
        QCOMPARE(list.TotalSizeText(), QStringLiteral("1,50 MB"));
        QCOMPARE(list.ImportState(), 1);
        // Nothing waits: no rows, nothing counted.
        QVERIFY(!list.LoadToImport(QStringLiteral("C")));
        QCOMPARE(list.ImportState(), 0);
        QCOMPARE(list.TotalSizeText(), QStringLiteral("0,00 MB"));
        // A search never finds rows that wait for import.
        list.Search(QStringLiteral("(B),x.mp3"), QString());
        QCOMPARE(list.ItemCount(), 0);
    }

    void copiedListsShareTheirItems()
    {
        auto scan = std::make_unique<CKivMp3Liste>(db());
        scan->SetMedia(m_media.get());
        scan->LoadMedium(QStringLiteral("A"), QString());
        const CKivMp3::Ptr first = scan->GetItems().front();

        CKivMp3Liste shown(db());
        QSignalSpy replaced(&shown, &CKivMp3Liste::itemsReplaced);
        shown.CopyFrom(*scan);
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(shown.ItemCount(), 3);
        QCOMPARE(shown.GetItems().front().get(), first.get());
        first->MarkIfInside(QStringLiteral("A"), QString(), first->GetFilename());
        scan.reset();
        // The items outlive the list they came from.
        QVERIFY(shown.GetItems().front()->IsMarked());
        QCOMPARE(shown.GetItems().front()->GetMediumname(), QStringLiteral("A"));

        // A new load makes new items; holders of the old ones keep theirs.
        const CKivMp3::Ptr held = shown.GetItems().front();
        shown.SetMedia(m_media.get());
        shown.LoadMedium(QStringLiteral("A"), QString());
        for (const CKivMp3::Ptr &item : shown)
            QVERIFY(item.get() != held.get());
        QVERIFY(held->IsMarked());
    }

    void filteredLoads()
    {
        CKivFilter filter;
        filter.SetMedia(m_media.get());
        CKivMp3Liste list(db());
        list.SetMedia(m_media.get());
        filter.SetInputValue(QStringLiteral("'n'"));
        filter.SetOnlineOnly(true);
        list.LoadFiltered(filter);
        QCOMPARE(files(list), QStringList{QStringLiteral("A:a.mp3")});
        filter.SetOnlineOnly(false);
        list.LoadFiltered(filter);
        QCOMPARE(files(list), (QStringList{QStringLiteral("A:a.mp3"), QStringLiteral("B:d.mp3")}));
        QCOMPARE(list.GetMode(), 1);

        // A numeric field whose value is no number: no query, an empty list, the user told.
        QSignalSpy replaced(&list, &CKivMp3Liste::itemsReplaced);
        filter.ApplyField(filter.FindField(QStringLiteral("Bewertung")), CKivFilterFeld::Equal, QStringLiteral("3 OR 1=1"));
        list.LoadFiltered(filter);
        QCOMPARE(list.ItemCount(), 0);
        QCOMPARE(replaced.count(), 1);
        QCOMPARE(ui.filterDialogs(), 1);
    }
};

MELVORA_TEST(Mp3ListeTest, CatalogFixture::isolateOdbcIni);

#include "Mp3ListeTest.moc"
