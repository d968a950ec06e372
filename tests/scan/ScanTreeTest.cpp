#include "catalog/RsMp3s.h"
#include "media/Medium.h"
#include "media/MediumHeaderFile.h"
#include "media/scan/ScanFind.h"
#include "media/scan/ScanStore.h"
#include "scan/ScanFixture.h"
#include "support/TestRegistry.h"

#include <QFile>
#include <QtTest>

// A scan of a small medium against the catalog: items, sub-paths, Folder rows, quick import, and
// what a rescan keeps.
class ScanTreeTest : public QObject
{
    Q_OBJECT

private:
    ScanFixture f;
    QString root;

private Q_SLOTS:
    void init()
    {
        QVERIFY(f.recreate());
        root = f.addMedium(QStringLiteral("Musik"));
        QVERIFY(!root.isEmpty());
    }

    void treeGivesSubPathsAndFolderRows()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "A"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Rock/Live/b.MP3"), "B"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Rock/notes.txt"), "not an mp3"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Jazz/c.Mp3"), "C"));

        const auto list = f.scan(QStringLiteral("Musik"));
        QVERIFY(list);
        QCOMPARE(int(list->items().size()), 3);
        QCOMPARE(list->GetStoredCount(), 3);

        const auto folders = f.folders(QStringLiteral("Musik"));
        QCOMPARE(folders.size(), 3);  // the root has none
        QVERIFY(folders.contains(QStringLiteral("Rock\\")));
        QCOMPARE(folders.value(QStringLiteral("Rock\\")).second, 0);
        QCOMPARE(folders.value(QStringLiteral("Rock\\Live\\")).second, folders.value(QStringLiteral("Rock\\")).first);
        QCOMPARE(folders.value(QStringLiteral("Jazz\\")).second, 0);

        const auto rows = f.rows(QStringLiteral("Musik"));
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows.value(QStringLiteral("a.mp3")).folderId, 0);
        QCOMPARE(rows.value(QStringLiteral("Rock\\Live\\b.MP3")).folderId,
                 folders.value(QStringLiteral("Rock\\Live\\")).first);
        QCOMPARE(rows.value(QStringLiteral("Rock\\Live\\b.MP3")).subPath, QStringLiteral("Rock\\Live\\"));
        QCOMPARE(rows.value(QStringLiteral("Jazz\\c.Mp3")).title, QStringLiteral("C"));
        // A full analysis walked the frames: 40 frames of 1152 samples at 44100 Hz.
        QCOMPARE(rows.value(QStringLiteral("a.mp3")).frames, 40);
        QCOMPARE(rows.value(QStringLiteral("a.mp3")).rating, 3);
    }

    void folderScanStoresOnlyBelowIt()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "A"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Rock/Live/b.mp3"), "B"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Rock/c.mp3"), "C"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Jazz/d.mp3"), "D"));

        QVERIFY(f.scan(QStringLiteral("Musik"), QStringLiteral("Rock\\")));
        const auto rows = f.rows(QStringLiteral("Musik"));
        QCOMPARE(rows.size(), 2);
        QVERIFY(rows.contains(QStringLiteral("Rock\\c.mp3")));
        QVERIFY(rows.contains(QStringLiteral("Rock\\Live\\b.mp3")));
        const auto folders = f.folders(QStringLiteral("Musik"));
        QCOMPARE(folders.size(), 2);
        QCOMPARE(folders.value(QStringLiteral("Rock\\Live\\")).second, folders.value(QStringLiteral("Rock\\")).first);
    }

    void folderGivenWithSlashesOrDotsIsHandledSafely()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Rock/Live/b.mp3"), "B"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("../outside.mp3"), "O"));
        QVERIFY(f.scan(QStringLiteral("Musik"), QStringLiteral("/Rock/Live")));
        QVERIFY(f.rows(QStringLiteral("Musik")).contains(QStringLiteral("Rock\\Live\\b.mp3")));

        // A folder above the medium's root is never searched.
        const auto outside = f.scan(QStringLiteral("Musik"), QStringLiteral("..\\"));
        QVERIFY(outside);
        QCOMPARE(outside->GetFoundCount(), 0);
        QCOMPARE(f.rows(QStringLiteral("Musik")).size(), 1);
    }

    void rescanKeepsIdCreationDateAndRating()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "Old title"));
        QVERIFY(f.scan(QStringLiteral("Musik")));
        const ScanFixture::Row first = f.rows(QStringLiteral("Musik")).value(QStringLiteral("a.mp3"));
        QVERIFY(first.id > 0);
        QVERIFY(first.created.isValid());
        // The user rates the file.
        QVERIFY(f.exec(QStringLiteral("UPDATE Mp3s SET Bewertung=5 WHERE ID=") + QString::number(first.id)));

        QTest::qWait(1100);  // a new creation date would differ
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "New title"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("b.mp3"), "New file"));
        const auto list = f.scan(QStringLiteral("Musik"));
        QVERIFY(list);

        const auto rows = f.rows(QStringLiteral("Musik"));
        QCOMPARE(rows.size(), 2);
        const ScanFixture::Row again = rows.value(QStringLiteral("a.mp3"));
        QCOMPARE(again.id, first.id);
        QCOMPARE(again.created, first.created);
        QCOMPARE(again.rating, 5);
        QCOMPARE(again.title, QStringLiteral("New title"));
        QCOMPARE(rows.value(QStringLiteral("b.mp3")).rating, 3);
        // The scan's items say what the rows say.
        for (const CKivMp3::Ptr &item : list->items()) {
            if (item->GetFilename() == QLatin1String("a.mp3")) {
                QCOMPARE(item->GetID(), first.id);
                QCOMPARE(item->GetBewertung(), 5);
            }
        }
    }

    // A rescan writes back what the files say over what another program changed meanwhile, keeps
    // IDs and the user's rating, adds a row that was deleted again and mends a folder row.
    void rescanWritesWhatTheFilesSay()
    {
        for (const char *path : {"A/a1.mp3", "A/a2.mp3", "A/a3.mp3", "A/Live/a4.mp3", "B/b1.mp3"})
            QVERIFY(ScanFixture::writeSong(root + QLatin1String(path), QByteArray("Titel ") + path));
        QVERIFY(f.scan(QStringLiteral("Musik")));
        const auto before = f.rows(QStringLiteral("Musik"));
        const auto foldersBefore = f.folders(QStringLiteral("Musik"));
        QCOMPARE(before.size(), 5);

        QVERIFY(f.exec(QStringLiteral("UPDATE Mp3s SET Title='Falsch', Artist='Fremd' WHERE Filename='a1.mp3'")));
        QVERIFY(f.exec(QStringLiteral("UPDATE Mp3s SET Bewertung=5 WHERE Filename='a2.mp3'")));
        QVERIFY(f.exec(QStringLiteral("DELETE FROM Mp3s WHERE Filename='a3.mp3'")));
        QVERIFY(f.exec(QStringLiteral("UPDATE Folder SET IsImportFolder=1 WHERE SubPath='B\\'")));
        QVERIFY(f.exec(QStringLiteral("UPDATE Folder SET ParentID=0 WHERE ID=%1")
                           .arg(foldersBefore.value(QStringLiteral("A\\Live\\")).first)));

        const auto list = f.scan(QStringLiteral("Musik"));
        QVERIFY(list);
        QCOMPARE(list->GetStoredCount(), 5);
        QCOMPARE(list->GetFailedCount(), 0);
        const auto rows = f.rows(QStringLiteral("Musik"));
        QCOMPARE(rows.size(), 5);
        for (const QString &key : before.keys()) {
            const ScanFixture::Row &was = before.value(key);
            const ScanFixture::Row &now = rows.value(key);
            QCOMPARE(now.title, was.title);
            QCOMPARE(now.artist, QStringLiteral("Artist"));
            QCOMPARE(now.folderId, was.folderId);
            QCOMPARE(now.frames, was.frames);
            if (key == QLatin1String("A\\a3.mp3")) {
                QVERIFY(now.id > was.id);
            } else {
                QCOMPARE(now.id, was.id);
                QCOMPARE(now.created, was.created);
            }
        }
        QCOMPARE(rows.value(QStringLiteral("A\\a2.mp3")).rating, 5);
        QCOMPARE(rows.value(QStringLiteral("A\\a1.mp3")).rating, 3);
        QCOMPARE(f.folders(QStringLiteral("Musik")), foldersBefore);
        QVERIFY(f.exec(QStringLiteral("DELETE FROM Folder WHERE IsImportFolder=0")));
        QCOMPARE(f.folders(QStringLiteral("Musik")).size(), 0);
        for (const CKivMp3::Ptr &item : list->items())
            QCOMPARE(item->GetID(), rows.value(item->GetSubPath() + item->GetFilename()).id);
    }

    // One row the catalog refuses to update costs only that file; the others of its transaction
    // are written.
    void refusedUpdateCostsOnlyItself()
    {
        for (int i = 1; i <= 6; ++i)
            QVERIFY(ScanFixture::writeSong(root + QStringLiteral("s%1.mp3").arg(i), "Alt"));
        QVERIFY(f.scan(QStringLiteral("Musik")));
        QVERIFY(f.exec(QStringLiteral("UPDATE Mp3s SET Title='Anders'")));
        if (f.db().dialect().engine() == CKivSqlDialect::Engine::PostgreSQL) {
            QVERIFY(f.exec(QStringLiteral("CREATE OR REPLACE FUNCTION refuse_s3() RETURNS trigger AS $$ BEGIN "
                                          "IF NEW.filename = 's3.mp3' THEN RAISE EXCEPTION 'refused'; END IF; "
                                          "RETURN NEW; END $$ LANGUAGE plpgsql")));
            QVERIFY(f.exec(QStringLiteral("CREATE TRIGGER refuse_s3 BEFORE UPDATE ON Mp3s FOR EACH ROW "
                                          "EXECUTE FUNCTION refuse_s3()")));
        } else {
            QVERIFY(f.exec(QStringLiteral("CREATE TRIGGER refuse_s3 BEFORE UPDATE ON Mp3s WHEN "
                                          "NEW.Filename = 's3.mp3' BEGIN SELECT RAISE(ABORT, 'refused'); END")));
        }
        const auto list = f.scan(QStringLiteral("Musik"));
        QVERIFY(list);
        QCOMPARE(list->GetStoredCount(), 5);
        QCOMPARE(list->GetFailedCount(), 1);
        const auto rows = f.rows(QStringLiteral("Musik"));
        QCOMPARE(rows.size(), 6);
        for (int i = 1; i <= 6; ++i)
            QCOMPARE(rows.value(QStringLiteral("s%1.mp3").arg(i)).title, i == 3 ? QStringLiteral("Anders") : QStringLiteral("Alt"));
    }

    void fileGoneFromMediumKeepsItsRow()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "A"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("b.mp3"), "B"));
        QVERIFY(f.scan(QStringLiteral("Musik")));
        QVERIFY(QFile::remove(root + QStringLiteral("b.mp3")));
        QVERIFY(f.scan(QStringLiteral("Musik")));
        QCOMPARE(f.rows(QStringLiteral("Musik")).size(), 2);
    }

    void fileVanishingBetweenThePhasesIsStillStored()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "A"));
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("Sub/gone.mp3"), "Gone"));
        const auto list = f.scanList(QStringLiteral("Musik"));
        KivScanFind::Run(*list);
        QCOMPARE(int(list->items().size()), 2);
        QVERIFY(QFile::remove(root + QStringLiteral("Sub/gone.mp3")));
        QVERIFY(QDir(root + QStringLiteral("Sub")).removeRecursively());
        KivScanStore::Run(*list);
        QCOMPARE(list->GetStoredCount(), 2);
        const ScanFixture::Row gone = f.rows(QStringLiteral("Musik")).value(QStringLiteral("Sub\\gone.mp3"));
        QCOMPARE(gone.title, QStringLiteral("Gone"));
        QVERIFY(gone.folderId > 0);
    }

    void offlineMediumSearchesNothing()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "A"));
        // Another medium's header at the place: this folder is not the medium any more.
        QVERIFY(CKivMediumHeaderFile::Write(root, QStringLiteral("Fremd")));
        f.media().CheckOnline();
        QCOMPARE(f.media().FindMedium(QStringLiteral("Musik"))->GetState(), int(CKivMedium::Offline));
        const auto list = f.scan(QStringLiteral("Musik"));
        QVERIFY(list);
        QCOMPARE(list->GetFoundCount(), 0);
        QVERIFY(f.rows(QStringLiteral("Musik")).isEmpty());
    }

    void unknownMediumIsReportedAndStoresNothing()
    {
        QVERIFY(ScanFixture::writeSong(root + QStringLiteral("a.mp3"), "A"));
        const auto list = f.scan(QStringLiteral("Gibt es nicht"));
        QVERIFY(list);
        QCOMPARE(f.ui.count(QStringLiteral("m_bMediumname ungültig !")), 1);
        QCOMPARE(f.ui.messages().value(0).text,
                 QStringLiteral("Das Medium mit dem Globalen Mediumnamen: Gibt es nicht \nwurde nicht gefunden !"));
        QCOMPARE(list->GetStoredCount(), 0);
        QVERIFY(f.rows(QStringLiteral("Musik")).isEmpty());
    }
};

MELVORA_TEST(ScanTreeTest, CatalogFixture::isolateOdbcIni);

#include "ScanTreeTest.moc"
