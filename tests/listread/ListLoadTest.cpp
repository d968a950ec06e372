#include "listread/ListReadTests.h"

#include "browse/Mp3Liste.h"
#include "catalog/Mp3SortClause.h"
#include "catalog/RsImport.h"
#include "catalog/RsMp3s.h"
#include "media/MedienListe.h"
#include "mp3/item/Mp3Item.h"
#include "support/CatalogFixture.h"
#include "support/FakeDrives.h"
#include "support/RecordingUi.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The list loads on the fast reader on both engines: the same items in the same order as items made
// from the record set, pending imports with their Import rows, texts shared between items, and a
// failing query that leaves an empty list.
class ListLoadTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_catalog;
    RecordingUi m_ui;
    FakeDrives m_drives;
    QTemporaryDir m_dir;
    std::unique_ptr<CKivMedienListe> m_media;
    static constexpr int User = 1;

    CKivDatabase &db() { return m_catalog.db(); }

    void addMp3(const QString &subPath, const QString &file, const QString &title, qint32 importId = 0)
    {
        CKivMp3Data d;
        d.m_Mediumname = QStringLiteral("A");
        d.m_SubPath = subPath;
        d.m_Filename = file;
        CRsMp3s rs(db());
        rs.AddNew();
        rs.m_Mediumname = d.m_Mediumname;
        rs.m_SubPath = subPath;
        rs.m_Filename = file;
        rs.m_Title = title;
        rs.m_Artist = QStringLiteral("Die Ärzte");
        rs.m_GenreName = QStringLiteral("Rock");
        rs.m_FileSize = 1000 + importId;
        rs.m_ImportID = importId;
        rs.m_MediumSubPathFilename = d.Key();
        rs.m_SearchIndex = d.ComposeSearchIndex();
        QVERIFY(rs.Update());
    }

    // The items the record set gives, made the way the list made them before.
    std::vector<CKivMp3::Ptr> viaRecordSet()
    {
        std::vector<CKivMp3::Ptr> items;
        CRsMp3s rs(db());
        if (rs.OpenByMediumSubPath(QStringLiteral("A"), QString(), false)) {
            for (; !rs.IsEOF(); rs.MoveNext())
                items.push_back(CKivMp3::FromRow(m_media->FindMedium(QStringLiteral("A")), rs));
        }
        return items;
    }

    static void compareItems(const CKivMp3 &a, const CKivMp3 &b)
    {
        const CKivMp3Data &x = a.Data();
        const CKivMp3Data &y = b.Data();
        QCOMPARE(a.Medium(), b.Medium());
        QCOMPARE(x.m_ID, y.m_ID);
        QCOMPARE(x.m_Anlegedatum, y.m_Anlegedatum);
        QCOMPARE(x.m_Title, y.m_Title);
        QCOMPARE(x.m_Title.isNull(), y.m_Title.isNull());
        QCOMPARE(x.m_Artist, y.m_Artist);
        QCOMPARE(x.m_Album.isNull(), y.m_Album.isNull());
        QCOMPARE(x.m_GenreName, y.m_GenreName);
        QCOMPARE(x.m_SearchIndex, y.m_SearchIndex);
        QCOMPARE(x.m_Filename, y.m_Filename);
        QCOMPARE(x.m_SubPath, y.m_SubPath);
        QCOMPARE(x.m_Genre, y.m_Genre);
        QCOMPARE(x.m_Bewertung, y.m_Bewertung);
        QCOMPARE(x.m_FolderID, y.m_FolderID);
        QCOMPARE(x.m_FileSize, y.m_FileSize);
        QCOMPARE(x.m_ImportID, y.m_ImportID);
        QCOMPARE(a.ImportData().m_SourceMedium, b.ImportData().m_SourceMedium);
        QCOMPARE(a.ImportData().m_DestFilename, b.ImportData().m_DestFilename);
        QCOMPARE(a.MediumSubPathFilename(), b.MediumSubPathFilename());
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_catalog.recreate());
        m_ui.clear();
        CKivMp3SortClause::Set(QString());
        const QString root = m_dir.filePath(QStringLiteral("a")) + QLatin1Char('/');
        QDir(root).removeRecursively();
        QDir().mkpath(root);
        CKivMedienListe setup(User, QString());
        QVERIFY(setup.CreateFromFolder(db(), QStringLiteral("A"), root));
        m_media = std::make_unique<CKivMedienListe>(User, QString());
        QVERIFY(m_media->Load(db()));
    }

    void cleanup() { CKivMp3SortClause::Set(QString()); }

    void itemsAsFromTheRecordSet()
    {
        const int importId = CRsImport(db()).AddImport(QStringLiteral("Quelle"), QStringLiteral("Q\\"),
                                                       QStringLiteral("q.mp3"), QStringLiteral("A"),
                                                       QStringLiteral("Z\\"), QStringLiteral("z.mp3"));
        QVERIFY(importId > 0);
        QVERIFY(db().BeginTransaction());
        for (int i = 0; i < 600; ++i)
            addMp3(QStringLiteral("F%1\\").arg(i / 50), QStringLiteral("%1.mp3").arg(i),
                   i % 7 ? QStringLiteral("Lied %1 ü").arg(i) : QString());
        addMp3(QStringLiteral("Z\\"), QStringLiteral("z.mp3"), QStringLiteral("Import"), importId);
        for (int i = 600; i < 700; ++i)
            addMp3(QStringLiteral("G\\"), QStringLiteral("%1.mp3").arg(i), QStringLiteral("x"));
        QVERIFY(db().Commit());
        CKivMp3SortClause::Set(QStringLiteral("SubPath DESC, Filename"));

        CKivMp3Liste list(db());
        list.SetMedia(m_media.get());
        list.LoadMedium(QStringLiteral("A"), QString());
        const auto expected = viaRecordSet();
        QCOMPARE(list.ItemCount(), 701);
        QCOMPARE(size_t(list.ItemCount()), expected.size());
        for (size_t i = 0; i < expected.size(); ++i) {
            compareItems(*list.GetItems()[i], *expected[i]);
            if (QTest::currentTestFailed())
                return;
        }
        // The pending import has its Import row, and is counted by the import load.
        QVERIFY(list.LoadToImport(QStringLiteral("A")));
        QCOMPARE(list.ItemCount(), 1);
        QCOMPARE(list.GetItems().front()->ImportData().m_SourceMedium, QStringLiteral("Quelle"));
        QCOMPARE(list.GetCount(), 1);
        QCOMPARE(list.GetTotalSize(), qint64(1000 + importId));
    }

    void equalTextsShared()
    {
        for (int i = 0; i < 3; ++i)
            addMp3(QStringLiteral("Gleich\\"), QStringLiteral("%1.mp3").arg(i), QStringLiteral("t%1").arg(i));
        CKivMp3Liste list(db());
        list.SetMedia(m_media.get());
        list.LoadMedium(QStringLiteral("A"), QString());
        QCOMPARE(list.ItemCount(), 3);
        const CKivMp3Data &first = list.GetItems()[0]->Data();
        const CKivMp3Data &last = list.GetItems()[2]->Data();
        QCOMPARE(last.m_SubPath, QStringLiteral("Gleich\\"));
        QCOMPARE(last.m_SubPath.constData(), first.m_SubPath.constData());
        QCOMPARE(last.m_Mediumname.constData(), first.m_Mediumname.constData());
        QCOMPARE(last.m_Artist.constData(), first.m_Artist.constData());
    }

    void failingQueryLeavesEmptyList()
    {
        QVERIFY(db().BeginTransaction());
        for (int i = 0; i < 1000; ++i)
            addMp3(QString(), QStringLiteral("%1.mp3").arg(i), QStringLiteral("t"));
        QVERIFY(db().Commit());
        CKivMp3Liste list(db());
        list.SetMedia(m_media.get());
        list.LoadMedium(QStringLiteral("A"), QString());
        QCOMPARE(list.ItemCount(), 1000);

        // A sort that the database fails on once it reaches row 500.
        QSignalSpy replaced(&list, &CKivMp3Liste::itemsReplaced);
        CKivMp3SortClause::Set(QStringLiteral("CASE WHEN ID<500 THEN 0 ELSE abs(ID-500-9223372036854775807-1) END"));
        list.LoadMedium(QStringLiteral("A"), QString());
        QCOMPARE(list.ItemCount(), 0);
        QCOMPARE(replaced.count(), 1);
        QVERIFY(!list.LoadToImport(QStringLiteral("A")));
        QCOMPARE(list.GetCount(), 0);
        QVERIFY(!list.IsCounted());
    }
};

int runListLoadTest(int argc, char **argv)
{
    ListLoadTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ListLoadTest.moc"
