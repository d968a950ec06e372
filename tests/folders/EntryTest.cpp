#include "browse/folders/Folder.h"
#include "folders/FolderFixture.h"
#include "folders/FolderTests.h"

// Folder entries: what they show, and their children read from disk (online, with the medium's
// pending imports) or from the catalog (offline).
class EntryTest : public QObject
{
    Q_OBJECT

    FolderFixture f;

    static std::vector<CKivFolderEntry::Ptr> children(CKivFolderEntry &entry, CKivDatabase &db)
    {
        std::vector<CKivFolderEntry::Ptr> result;
        for (const CKivFolderEntry::Ptr &child : entry.GetChildren(db))
            result.push_back(child);
        return result;
    }

private Q_SLOTS:
    void init() { QVERIFY(f.setUp()); }

    void labelsOfEveryKind()
    {
        const QStringList labels{QStringLiteral("Medium"),     QStringLiteral("Folder"),     QStringLiteral("Medium"),
                                 QStringLiteral("CD"),         QStringLiteral("CD Manager"), QStringLiteral("Ordner"),
                                 QStringLiteral("Mp3 Datei"),  QStringLiteral("Ordner"),     QStringLiteral("Mp3"),
                                 QStringLiteral("Import Mp3"), QStringLiteral("Import Ordner")};
        for (int kind = 0; kind < labels.size(); ++kind)
            QCOMPARE(CKivFolderEntry::KindLabel(kind), labels.at(kind));
        QCOMPARE(CKivFolderEntry::KindLabel(11), QStringLiteral("Unbekannt"));
        QCOMPARE(CKivFolderEntry::KindLabel(-1), QStringLiteral("Unbekannt"));
    }

    void onlineChildrenComeFromDiskWithPendingImports()
    {
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("Rock/a.mp3")));
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("LIED.MP3")));
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("notes.txt")));
        f.addRow(QStringLiteral("A"), QString(), QStringLiteral("LIED.MP3"));
        f.addRow(QStringLiteral("A"), QStringLiteral("Gone\\"), QStringLiteral("old.mp3"));
        f.addPendingImport(QStringLiteral("A"), QString(), QStringLiteral("wish.mp3"));
        f.addPendingImport(QStringLiteral("A"), QStringLiteral("Wanted\\"), QStringLiteral("w.mp3"));

        CKivFolderEntry::Ptr a = f.mediumEntry(QStringLiteral("A"));
        QCOMPARE(a->GetKind(), int(CKivFolderEntry::Medium));
        QCOMPARE(a->GetImage(), int(CKivFolderEntry::ImageMedium));
        QVERIFY(a->HasChildren(f.db()));
        const auto kids = children(*a, f.db());
        // Disk folders and MP3s (any case of the extension), the pending imports of this folder;
        // no catalogued folder that is not on disk, no other files.
        QCOMPARE(FolderFixture::kindsAndNames(kids),
                 (QStringList{QStringLiteral("10 Wanted"), QStringLiteral("5 Rock"), QStringLiteral("6 LIED"),
                              QStringLiteral("9 wish")}));
        for (const CKivFolderEntry::Ptr &kid : kids) {
            if (kid->GetKind() == CKivFolderEntry::DiskFile) {
                QCOMPARE(kid->GetFileName(), QStringLiteral("LIED.MP3"));
                QCOMPARE(kid->Key(), QStringLiteral("(A)LIED.MP3"));
                QCOMPARE(kid->GetFullPath(), f.rootA + QStringLiteral("LIED.MP3"));
                QCOMPARE(kid->GetImage(), int(CKivFolderEntry::ImageMp3));
            }
            if (kid->GetKind() == CKivFolderEntry::ImportFile)
                QCOMPARE(kid->GetImage(), int(CKivFolderEntry::ImageImportMp3));
            if (kid->GetKind() == CKivFolderEntry::DiskFolder) {
                QCOMPARE(kid->GetSubPath(), QStringLiteral("Rock\\"));
                QCOMPARE(kid->GetFullPath(), f.rootA + QStringLiteral("Rock/"));
            }
        }

        // Files added on disk show at the next reading.
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("new.mp3")));
        QCOMPARE(int(children(*a, f.db()).size()), 5);
    }

    void emptyOnlineRootCanBeExpandedButHasNoChildren()
    {
        CKivFolderEntry::Ptr b = f.mediumEntry(QStringLiteral("B"));
        QVERIFY(b->HasChildren(f.db()));
        QVERIFY(children(*b, f.db()).empty());
    }

    void offlineChildrenComeFromTheCatalog()
    {
        const qint32 songId = f.addRow(QStringLiteral("F"), QString(), QStringLiteral("c.mp3"));
        f.addRow(QStringLiteral("F"), QStringLiteral("Jazz\\"), QStringLiteral("b.mp3"));
        f.addRow(QStringLiteral("F"), QStringLiteral("Jazz\\Cool\\"), QStringLiteral("d.mp3"));
        f.addRow(QStringLiteral("F"), QStringLiteral("Blues\\"), QStringLiteral("e.mp3"));
        f.addPendingImport(QStringLiteral("F"), QString(), QStringLiteral("p.mp3"));

        CKivFolderEntry::Ptr medium = f.mediumEntry(QStringLiteral("F"));
        QVERIFY(medium->HasChildren(f.db()));
        const auto kids = children(*medium, f.db());
        QCOMPARE(FolderFixture::kindsAndNames(kids),
                 (QStringList{QStringLiteral("7 Blues"), QStringLiteral("7 Jazz"), QStringLiteral("8 c"),
                              QStringLiteral("9 p")}));
        for (const CKivFolderEntry::Ptr &kid : kids) {
            if (kid->GetName() == QLatin1String("Jazz"))
                QVERIFY(kid->HasChildren(f.db()));
            if (kid->GetName() == QLatin1String("Blues"))
                QVERIFY(!kid->HasChildren(f.db()));
            if (kid->GetName() == QLatin1String("c")) {
                QCOMPARE(kid->GetCatalogID(), songId);
                QCOMPARE(kid->GetFileSize(), qint64(1234));
            }
        }

        // The catalog path form finds the row by the key with the file's extension.
        CKivFolderEntry::Ptr byPath = CKivFolderEntry::FromCatalogPath(f.db(), f.medium(QStringLiteral("F")),
                                                                       QStringLiteral("c.mp3"), 0);
        QCOMPARE(byPath->GetKind(), int(CKivFolderEntry::CatalogFile));
        QCOMPARE(byPath->GetCatalogID(), songId);
        QCOMPARE(byPath->GetName(), QStringLiteral("c"));
        QCOMPARE(byPath->GetFileName(), QStringLiteral("c.mp3"));
        CKivFolderEntry::Ptr pending = CKivFolderEntry::FromCatalogPath(f.db(), f.medium(QStringLiteral("F")),
                                                                        QStringLiteral("p.mp3"), 0);
        QCOMPARE(pending->GetKind(), int(CKivFolderEntry::ImportFile));
        CKivFolderEntry::Ptr folder = CKivFolderEntry::FromCatalogPath(f.db(), f.medium(QStringLiteral("F")),
                                                                       QStringLiteral("Jazz\\Cool\\"), 0);
        QCOMPARE(folder->GetKind(), int(CKivFolderEntry::CatalogFolder));
        QCOMPARE(folder->GetName(), QStringLiteral("Cool"));
        const auto cool = children(*folder, f.db());
        QCOMPARE(FolderFixture::kindsAndNames(cool), QStringList{QStringLiteral("8 d")});
    }

    void folderCollectionWalksInOrder()
    {
        CKivFolder folder;
        QVERIFY(!folder.First());
        folder.Add(f.mediumEntry(QStringLiteral("A")));
        folder.Add(f.mediumEntry(QStringLiteral("B")));
        QCOMPARE(folder.First()->GetName(), QStringLiteral("A"));
        QCOMPARE(folder.Next()->GetName(), QStringLiteral("B"));
        QCOMPARE(folder.Current()->GetName(), QStringLiteral("B"));
        QVERIFY(!folder.Next());
        folder.RemoveAll();
        QCOMPARE(folder.Count(), 0);
    }
};

int runEntryTest(int argc, char **argv)
{
    EntryTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "EntryTest.moc"
