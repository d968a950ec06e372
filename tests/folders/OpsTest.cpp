#include "browse/Mp3Liste.h"
#include "browse/folders/Folder.h"
#include "browse/folders/FolderOps.h"
#include "folders/FolderFixture.h"
#include "folders/FolderTests.h"

// The file operations: disk and catalog stay in step, only rows inside the folder change, offline
// sources only register pending imports, refusals change nothing, and a catalog that refuses the
// change gets the file operation taken back.
class OpsTest : public QObject
{
    Q_OBJECT

    FolderFixture f;

    QString invalidText() const
    {
        return QStringLiteral("Sie haben versucht eine ungültige Dateioperation\ndurchzuführen. Der Vorgang wird "
                              "abgebrochen.");
    }

    // Rock\ with a song below it, and neighbours whose names the "anywhere" queries also match.
    void rockAndNeighbours()
    {
        for (const QString &rel : {QStringLiteral("Rock/Alt/s.mp3"), QStringLiteral("Rock/r.mp3"),
                                   QStringLiteral("Rockabilly/b.mp3"), QStringLiteral("Hard Rock/h.mp3"),
                                   QStringLiteral("Alt/Rock/x.mp3")})
            QVERIFY(FolderFixture::writeFile(f.rootA, rel));
        QVERIFY(QDir().mkpath(f.rootA + QStringLiteral("Target")));
        f.addRow(QStringLiteral("A"), QStringLiteral("Rock\\Alt\\"), QStringLiteral("s.mp3"));
        f.addRow(QStringLiteral("A"), QStringLiteral("Rock\\"), QStringLiteral("r.mp3"));
        f.addRow(QStringLiteral("A"), QStringLiteral("Rockabilly\\"), QStringLiteral("b.mp3"));
        f.addRow(QStringLiteral("A"), QStringLiteral("Hard Rock\\"), QStringLiteral("h.mp3"));
        f.addRow(QStringLiteral("A"), QStringLiteral("Alt\\Rock\\"), QStringLiteral("x.mp3"));
        f.addRow(QStringLiteral("A"), QStringLiteral("Target\\"), QStringLiteral("t.mp3"));
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("Target/t.mp3")));
        f.addPendingImport(QStringLiteral("A"), QStringLiteral("Rock\\Alt\\"), QStringLiteral("wish.mp3"));
        f.addPendingImport(QStringLiteral("A"), QStringLiteral("Hard Rock\\"), QStringLiteral("other.mp3"));
    }

private Q_SLOTS:
    void init() { QVERIFY(f.setUp()); }

    void movingAFolderChangesOnlyRowsInsideIt()
    {
        rockAndNeighbours();
        CKivMp3Liste list(f.db());
        list.SetMedia(f.media.get());
        list.LoadMedium(QStringLiteral("A"), QString());
        const int loaded = list.ItemCount();
        QVERIFY(loaded >= 7);

        CKivFolderOps ops(f.db(), {&list});
        const CKivFolderOps::Result result = ops.Drop({f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Rock"))},
                                                      f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Target")));
        QVERIFY(result.ok);
        // The question came first, with the source and the target.
        QCOMPARE(f.ws.ui.messages().size(), 1);
        QCOMPARE(f.ws.ui.messages().at(0).caption, QStringLiteral("Sicherheitsabfrage !"));
        QCOMPARE(f.ws.ui.messages().at(0).text,
                 QStringLiteral("Sind Sie sicher das Sie die Mp3 Datei: Rock\nvon: (A)Rock\\\nnach: (A)Target\\\n"
                                "verschoben werden soll ?"));
        QVERIFY(QFile::exists(f.rootA + QStringLiteral("Target/Rock/Alt/s.mp3")));
        QVERIFY(!QFileInfo::exists(f.rootA + QStringLiteral("Rock")));

        QCOMPARE(f.folderPaths(QStringLiteral("A")),
                 (QStringList{QStringLiteral("Alt\\"), QStringLiteral("Alt\\Rock\\"), QStringLiteral("Hard Rock\\"),
                              QStringLiteral("Rockabilly\\"), QStringLiteral("Target\\"),
                              QStringLiteral("Target\\Rock\\"), QStringLiteral("Target\\Rock\\Alt\\")}));
        QCOMPARE(f.keys(QStringLiteral("A")),
                 (QStringList{QStringLiteral("(A)Alt\\Rock\\x.mp3"), QStringLiteral("(A)Hard Rock\\h.mp3"),
                              QStringLiteral("(A)Hard Rock\\other.mp3"), QStringLiteral("(A)Rockabilly\\b.mp3"),
                              QStringLiteral("(A)Target\\Rock\\Alt\\s.mp3"),
                              QStringLiteral("(A)Target\\Rock\\Alt\\wish.mp3"), QStringLiteral("(A)Target\\Rock\\r.mp3"),
                              QStringLiteral("(A)Target\\t.mp3")}));
        QCOMPARE(f.importDestinations(),
                 (QStringList{QStringLiteral("A:Hard Rock\\other.mp3"), QStringLiteral("A:Target\\Rock\\Alt\\wish.mp3")}));
        // The moved folder hangs below its new parent.
        CRsFolder rs(f.db());
        QVERIFY(rs.OpenByPath(QStringLiteral("A"), QStringLiteral("Target\\")));
        const qint32 targetId = rs.m_ID;
        QVERIFY(rs.OpenByPath(QStringLiteral("A"), QStringLiteral("Target\\Rock\\")));
        QCOMPARE(rs.m_ParentID, targetId);
        rs.Close();

        // The loaded items followed the move; none of them counts as deleted.
        QCOMPARE(list.ItemCount(), loaded);
        int moved = 0;
        for (const CKivMp3::Ptr &item : list) {
            QVERIFY(!item->IsDeleted());
            if (item->GetSubPath().startsWith(QLatin1String("Target\\Rock\\")))
                ++moved;
            QVERIFY(!item->GetSubPath().startsWith(QLatin1String("Rock\\")));
        }
        QCOMPARE(moved, 3);
        // Hint 401 is described as the removed source and the added target.
        QCOMPARE(int(result.changes.size()), 2);
        QCOMPARE(result.changes[0].kind, CKivFolderChange::Removed);
        QVERIFY(result.changes[0].moved);
        QCOMPARE(result.changes[1].kind, CKivFolderChange::Added);
        QCOMPARE(result.changes[1].entry->GetSubPath(), QStringLiteral("Target\\Rock\\"));
    }

    void renamingAFolderAndAFile()
    {
        rockAndNeighbours();
        CKivFolderOps ops(f.db());
        const CKivFolderOps::Result folder = ops.Rename(f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Rock")),
                                                        QStringLiteral("Pop"));
        QVERIFY(folder.ok);
        QCOMPARE(folder.entry->GetSubPath(), QStringLiteral("Pop\\"));
        QCOMPARE(folder.entry->GetName(), QStringLiteral("Pop"));
        QVERIFY(QFile::exists(f.rootA + QStringLiteral("Pop/Alt/s.mp3")));
        QCOMPARE(f.folderPaths(QStringLiteral("A")),
                 (QStringList{QStringLiteral("Alt\\"), QStringLiteral("Alt\\Rock\\"), QStringLiteral("Hard Rock\\"),
                              QStringLiteral("Pop\\"), QStringLiteral("Pop\\Alt\\"), QStringLiteral("Rockabilly\\"),
                              QStringLiteral("Target\\")}));
        QVERIFY(f.keys(QStringLiteral("A")).contains(QStringLiteral("(A)Pop\\Alt\\s.mp3")));
        QVERIFY(f.keys(QStringLiteral("A")).contains(QStringLiteral("(A)Alt\\Rock\\x.mp3")));
        QCOMPARE(f.importDestinations(),
                 (QStringList{QStringLiteral("A:Hard Rock\\other.mp3"), QStringLiteral("A:Pop\\Alt\\wish.mp3")}));

        // A file keeps its ".mp3"; a taken name gives way to the next free one.
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("Pop/Song.mp3")));
        const CKivFolderOps::Result file =
            ops.Rename(f.diskFile(QStringLiteral("A"), QStringLiteral("Pop\\"), QStringLiteral("r.mp3")), QStringLiteral("Song"));
        QVERIFY(file.ok);
        QCOMPARE(file.entry->GetFileName(), QStringLiteral("Song (2).mp3"));
        QVERIFY(f.keys(QStringLiteral("A")).contains(QStringLiteral("(A)Pop\\Song (2).mp3")));
        QVERIFY(!f.keys(QStringLiteral("A")).contains(QStringLiteral("(A)Pop\\r.mp3")));
        QCOMPARE(file.changes.at(0).kind, CKivFolderChange::Renamed);

        // Offline entries keep their names.
        f.addRow(QStringLiteral("F"), QStringLiteral("Jazz\\"), QStringLiteral("b.mp3"));
        f.ws.ui.clear();
        QVERIFY(!ops.Rename(CKivFolderEntry::FromCatalogPath(f.db(), f.medium(QStringLiteral("F")), QStringLiteral("Jazz\\"), 0),
                            QStringLiteral("Blues"))
                     .ok);
        QCOMPARE(f.ws.ui.messages().at(0).text,
                 QStringLiteral("Medien, Ordner und Dateien von Medien die\nicht online sind können nicht umbenannt werden !"));
        QVERIFY(f.folderPaths(QStringLiteral("F")).contains(QStringLiteral("Jazz\\")));
    }

    void movingAFileAndDecliningTheQuestion()
    {
        rockAndNeighbours();
        CKivFolderOps ops(f.db());
        f.ws.ui.answers = {KivAnswer::No};
        const CKivFolderOps::Result declined =
            ops.Drop({f.diskFile(QStringLiteral("A"), QStringLiteral("Rock\\"), QStringLiteral("r.mp3"))},
                     f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Target")));
        QVERIFY(!declined.ok);
        QVERIFY(QFile::exists(f.rootA + QStringLiteral("Rock/r.mp3")));
        QVERIFY(f.keys(QStringLiteral("A")).contains(QStringLiteral("(A)Rock\\r.mp3")));

        const CKivFolderOps::Result moved =
            ops.Drop({f.diskFile(QStringLiteral("A"), QStringLiteral("Rock\\"), QStringLiteral("r.mp3"))},
                     f.mediumEntry(QStringLiteral("A")));
        QVERIFY(moved.ok);
        QVERIFY(QFile::exists(f.rootA + QStringLiteral("r.mp3")));
        QVERIFY(f.keys(QStringLiteral("A")).contains(QStringLiteral("(A)r.mp3")));
        CRsMp3s rs(f.db());
        QVERIFY(rs.OpenByKey(QStringLiteral("(A)r.mp3")));
        QCOMPARE(rs.m_FolderID, 0);
        QCOMPARE(rs.m_SearchIndex.left(9), QStringLiteral("(A),r.mp3"));
        rs.Close();
    }

    void copyingFromAnOfflineMediumOnlyRegistersImports()
    {
        f.addRow(QStringLiteral("F"), QStringLiteral("Jazz\\"), QStringLiteral("b.mp3"));
        f.addRow(QStringLiteral("F"), QStringLiteral("Jazz\\Cool\\"), QStringLiteral("d.mp3"));
        f.addRow(QStringLiteral("F"), QStringLiteral("Jazzy\\"), QStringLiteral("e.mp3"));
        const QStringList before = QDir(f.rootA).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

        CKivFolderOps ops(f.db());
        CKivFolderEntry::Ptr jazz =
            CKivFolderEntry::FromCatalogPath(f.db(), f.medium(QStringLiteral("F")), QStringLiteral("Jazz\\"), 0);
        const CKivFolderOps::Result result = ops.Drop({jazz}, f.mediumEntry(QStringLiteral("A")));
        QVERIFY(result.ok);
        QVERIFY(f.ws.ui.messages().isEmpty());
        QCOMPARE(result.entry->GetKind(), int(CKivFolderEntry::ImportFolder));
        // No file was touched anywhere.
        QCOMPARE(QDir(f.rootA).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
        QCOMPARE(f.keys(QStringLiteral("A")),
                 (QStringList{QStringLiteral("(A)Jazz\\Cool\\d.mp3"), QStringLiteral("(A)Jazz\\b.mp3")}));
        QCOMPARE(f.importDestinations(),
                 (QStringList{QStringLiteral("A:Jazz\\Cool\\d.mp3"), QStringLiteral("A:Jazz\\b.mp3")}));
        CRsMp3s rs(f.db());
        QVERIFY(rs.OpenByKey(QStringLiteral("(A)Jazz\\b.mp3")));
        QVERIFY(rs.m_ImportID > 0);
        rs.Close();
        CRsImport imports(f.db());
        QVERIFY(imports.OpenByDestMedium(QStringLiteral("A")));
        QCOMPARE(imports.m_SourceMedium, QStringLiteral("F"));
        imports.Close();

        // The medium now shows them as "Import Ordner" and "Import Mp3".
        CKivFolderEntry::Ptr a = f.mediumEntry(QStringLiteral("A"));
        QStringList shown;
        for (const CKivFolderEntry::Ptr &kid : a->GetChildren(f.db()))
            shown << kid->GetLabel() + QLatin1Char(' ') + kid->GetName();
        QCOMPARE(shown, QStringList{QStringLiteral("Import Ordner Jazz")});
        CKivFolderEntry::Ptr imported = a->GetChildren(f.db()).At(0);
        QStringList inside;
        for (const CKivFolderEntry::Ptr &kid : imported->GetChildren(f.db()))
            inside << kid->GetLabel() + QLatin1Char(' ') + kid->GetName();
        inside.sort();
        QCOMPARE(inside, (QStringList{QStringLiteral("Import Mp3 b"), QStringLiteral("Import Ordner Cool")}));
    }

    void copyingFromDiskCataloguesTheCopies()
    {
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("Rock/Alt/s.mp3"), "song"));
        const qint32 id = f.addRow(QStringLiteral("A"), QStringLiteral("Rock\\Alt\\"), QStringLiteral("s.mp3"));
        CKivFolderOps ops(f.db());
        const CKivFolderOps::Result result =
            ops.Drop({f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Rock"))}, f.mediumEntry(QStringLiteral("B")));
        QVERIFY(result.ok);
        QCOMPARE(QFile(f.rootB + QStringLiteral("Rock/Alt/s.mp3")).size(), qint64(4));
        QCOMPARE(f.keys(QStringLiteral("B")), QStringList{QStringLiteral("(B)Rock\\Alt\\s.mp3")});
        // The source stays as it was.
        QCOMPARE(f.keyOf(id), QStringLiteral("(A)Rock\\Alt\\s.mp3"));
        QVERIFY(QFile::exists(f.rootA + QStringLiteral("Rock/Alt/s.mp3")));
    }

    void deletingRefusesMediaAndUnreachableEntries()
    {
        f.addRow(QStringLiteral("F"), QStringLiteral("Jazz\\"), QStringLiteral("b.mp3"));
        f.addPendingImport(QStringLiteral("A"), QStringLiteral("Wanted\\"), QStringLiteral("w.mp3"));
        const QString noAccess = QStringLiteral("Sie können keine Dateien löschen, auf die Sie keinen \nZugriff haben.");
        CKivFolderOps ops(f.db());

        QVERIFY(!ops.Delete({}).ok);
        QCOMPARE(f.ws.ui.messages().last().text, QStringLiteral("Keine Datei oder Ordner zum Löschen ausgewählt !"));
        QVERIFY(!ops.Delete({f.mediumEntry(QStringLiteral("A"))}).ok);
        QCOMPARE(f.ws.ui.messages().last().text, QStringLiteral("Das Medium kann nicht gelöscht werden !"));
        QVERIFY(!ops.Delete({CKivFolderEntry::FromCatalogPath(f.db(), f.medium(QStringLiteral("F")),
                                                             QStringLiteral("Jazz\\b.mp3"), 0)})
                     .ok);
        QCOMPARE(f.ws.ui.messages().last().text, noAccess);
        QCOMPARE(f.ws.ui.messages().last().caption, QStringLiteral("Warnung"));
        // Pending imports and their folders cannot be deleted either.
        for (const QString &path : {QStringLiteral("Wanted\\"), QStringLiteral("Wanted\\w.mp3")}) {
            CKivFolderEntry::Ptr entry = CKivFolderEntry::FromCatalogPath(f.db(), f.medium(QStringLiteral("A")), path, 0);
            QVERIFY(entry->GetKind() == CKivFolderEntry::ImportFile || entry->GetKind() == CKivFolderEntry::ImportFolder);
            QVERIFY(!ops.Delete({entry}).ok);
            QCOMPARE(f.ws.ui.messages().last().text, noAccess);
        }
        QCOMPARE(f.keys(QStringLiteral("F")), QStringList{QStringLiteral("(F)Jazz\\b.mp3")});
        QCOMPARE(f.keys(QStringLiteral("A")), QStringList{QStringLiteral("(A)Wanted\\w.mp3")});
    }

    void deletingRemovesFilesRowsAndFlagsItems()
    {
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("Rock/Alt/s.mp3")));
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("Rockabilly/b.mp3")));
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("one.mp3")));
        f.addRow(QStringLiteral("A"), QStringLiteral("Rock\\Alt\\"), QStringLiteral("s.mp3"));
        f.addRow(QStringLiteral("A"), QStringLiteral("Rockabilly\\"), QStringLiteral("b.mp3"));
        f.addRow(QStringLiteral("A"), QString(), QStringLiteral("one.mp3"));
        CKivMp3Liste list(f.db());
        list.SetMedia(f.media.get());
        list.LoadMedium(QStringLiteral("A"), QString());

        CKivFolderOps ops(f.db(), {&list});
        // The medium in second place stops the command; the folder before it stays deleted.
        const CKivFolderOps::Result result = ops.Delete(
            {f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Rock")), f.mediumEntry(QStringLiteral("A")),
             f.diskFile(QStringLiteral("A"), QString(), QStringLiteral("one.mp3"))});
        QVERIFY(!result.ok);
        QCOMPARE(int(result.changes.size()), 1);
        QVERIFY(!QFileInfo::exists(f.rootA + QStringLiteral("Rock")));
        QVERIFY(QFile::exists(f.rootA + QStringLiteral("one.mp3")));
        QCOMPARE(f.keys(QStringLiteral("A")),
                 (QStringList{QStringLiteral("(A)Rockabilly\\b.mp3"), QStringLiteral("(A)one.mp3")}));
        QCOMPARE(f.folderPaths(QStringLiteral("A")), QStringList{QStringLiteral("Rockabilly\\")});
        for (const CKivMp3::Ptr &item : list)
            QCOMPARE(item->IsDeleted(), item->GetSubPath() == QLatin1String("Rock\\Alt\\"));
        // No hidden leftovers of the deletion.
        QCOMPARE(QDir(f.rootA).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("Rockabilly")});

        QVERIFY(ops.Delete({f.diskFile(QStringLiteral("A"), QString(), QStringLiteral("one.mp3"))}).ok);
        QVERIFY(!QFile::exists(f.rootA + QStringLiteral("one.mp3")));
        QCOMPARE(f.keys(QStringLiteral("A")), QStringList{QStringLiteral("(A)Rockabilly\\b.mp3")});
    }

    void aRefusedCatalogChangeTakesTheFileOperationBack()
    {
        rockAndNeighbours();
        // The catalog already holds rows where the moved folder and file would go (left from
        // files removed behind the program's back): the rows below cannot take the new places.
        f.addRow(QStringLiteral("A"), QStringLiteral("Target\\Rock\\Alt\\"), QStringLiteral("s.mp3"));
        f.addRow(QStringLiteral("A"), QStringLiteral("Target\\"), QStringLiteral("r.mp3"));
        const QStringList folders = f.folderPaths(QStringLiteral("A"));
        const QStringList keys = f.keys(QStringLiteral("A"));
        const QStringList imports = f.importDestinations();
        CKivMp3Liste list(f.db());
        list.SetMedia(f.media.get());
        list.LoadMedium(QStringLiteral("A"), QStringLiteral("Rock\\"));

        CKivFolderOps ops(f.db(), {&list});
        QVERIFY(!ops.Move(f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Rock")),
                          f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Target")))
                     .ok);
        QCOMPARE(f.ws.ui.messages().last().text, invalidText());
        QCOMPARE(f.ws.ui.messages().last().caption, QStringLiteral("Warnung !"));
        QVERIFY(QFile::exists(f.rootA + QStringLiteral("Rock/Alt/s.mp3")));
        QVERIFY(!QFileInfo::exists(f.rootA + QStringLiteral("Target/Rock")));
        QCOMPARE(f.folderPaths(QStringLiteral("A")), folders);
        QCOMPARE(f.keys(QStringLiteral("A")), keys);
        QCOMPARE(f.importDestinations(), imports);
        for (const CKivMp3::Ptr &item : list)
            QVERIFY(item->GetSubPath().startsWith(QLatin1String("Rock\\")) || item->GetSubPath().contains(QLatin1String("Rock\\")));

        // The same for a file and for a new name.
        QVERIFY(!ops.Move(f.diskFile(QStringLiteral("A"), QStringLiteral("Rock\\"), QStringLiteral("r.mp3")),
                          f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Target")))
                     .ok);
        QVERIFY(QFile::exists(f.rootA + QStringLiteral("Rock/r.mp3")));
        QVERIFY(!QFile::exists(f.rootA + QStringLiteral("Target/r.mp3")));
        f.addRow(QStringLiteral("A"), QStringLiteral("Pop\\"), QStringLiteral("stale.mp3"));
        f.addRow(QStringLiteral("A"), QStringLiteral("Rock\\"), QStringLiteral("stale.mp3"));
        QVERIFY(!ops.Rename(f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Rock")), QStringLiteral("Pop")).ok);
        QVERIFY(QFile::exists(f.rootA + QStringLiteral("Rock/r.mp3")));
        QVERIFY(!QFileInfo::exists(f.rootA + QStringLiteral("Pop")));
        QVERIFY(f.keys(QStringLiteral("A")).contains(QStringLiteral("(A)Rock\\r.mp3")));
        QCOMPARE(f.ws.ui.messages().last().text, invalidText());
    }

    void newFolders()
    {
        CKivFolderOps ops(f.db());
        const CKivFolderOps::Result made = ops.CreateFolder(f.mediumEntry(QStringLiteral("A")), QStringLiteral("Neuer Ordner"));
        QVERIFY(made.ok);
        QVERIFY(QFileInfo(f.rootA + QStringLiteral("Neuer Ordner")).isDir());
        QCOMPARE(made.entry->GetKind(), int(CKivFolderEntry::DiskFolder));
        QCOMPARE(made.changes.size(), size_t(1));
        // No catalog row: the folder enters the catalog with its first MP3.
        QVERIFY(f.folderPaths(QStringLiteral("A")).isEmpty());
        // An existing folder is left as it is; names leaving the folder are refused.
        QVERIFY(ops.CreateFolder(f.mediumEntry(QStringLiteral("A")), QStringLiteral("Neuer Ordner")).changes.empty());
        QVERIFY(!ops.CreateFolder(f.mediumEntry(QStringLiteral("A")), QStringLiteral("../out")).ok);
        QVERIFY(!QFileInfo::exists(f.rootA + QStringLiteral("../out")));
        QVERIFY(!ops.CreateFolder(f.mediumEntry(QStringLiteral("F")), QStringLiteral("x")).ok);
    }
};

int runOpsTest(int argc, char **argv)
{
    OpsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "OpsTest.moc"
