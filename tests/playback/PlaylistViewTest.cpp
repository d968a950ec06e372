// The playlist view on the document: the start-up load with "Automatisch Starten", items from the
// lists, New, Save as, a failed write, and the write when it closes.
#include "controls/ui/CommandRegistry.h"
#include "core/Settings.h"
#include "lists/ListFixture.h"
#include "playback/PlaybackTests.h"
#include "playback/PlaylistFile.h"
#include "playback/ui/PlaylistView.h"

#include <QSignalSpy>

namespace {

class PlaylistViewTest : public QObject
{
    Q_OBJECT

    ListFixture f;
    CKivCommandRegistry commands;
    std::unique_ptr<CKivPlaylistView> view;
    QTemporaryDir cwd;
    QString before;

    QString key(const QString &name) const { return f.byName(name)->MediumSubPathFilename(); }

    QStringList rows() const
    {
        QStringList names;
        for (const CKivMp3::Ptr &item : view->model().rows())
            names.append(item->GetFilename());
        return names;
    }

    void send(int hint, const QStringList &names)
    {
        CKivMp3Liste collection(f.db());
        for (const QString &name : names)
            collection.Append(f.byName(name));
        f.doc->UpdateAllViews(hint, QVariant::fromValue(static_cast<QObject *>(&collection)));
    }

    // The login's first list: the playlist belongs to the user now and loads the stored file.
    void login() { f.doc->UpdateAllViews(101, QVariant::fromValue(static_cast<QObject *>(f.doc->GetMp3Liste()))); }

    QStringList keysIn(const QString &path) const { return KivPlaylistFile::Read(path).value_or(QStringList{"?"}); }

private Q_SLOTS:
    void initTestCase()
    {
        before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(cwd.path()));
    }

    void cleanupTestCase() { QDir::setCurrent(before); }

    void init()
    {
        QVERIFY(f.setUp());
        // Each case starts without a stored playlist.
        f.catalog.settings().SetPlaylistFilename(QString());
        f.catalog.settings().SetPlaylistFlags(3);
        QFile::remove(CKivPlaylistView::DefaultPath());
        view = std::make_unique<CKivPlaylistView>(*f.doc, f.catalog.settings(), commands);
        QCOMPARE(view->FileName(), QString());
    }

    void cleanup()
    {
        view.reset();
        f.doc.reset();
    }

    void startUpLoadAndAutomaticStart()
    {
        const QString path = f.folder(QStringLiteral("lists")) + QStringLiteral("mine.atp");
        QVERIFY(KivPlaylistFile::Write(path, {key("c.mp3"), key("b.mp3"), QStringLiteral("(Musik)gone.mp3"),
                                              key("c.mp3")}));
        f.catalog.settings().SetPlaylistFilename(path);
        f.catalog.settings().SetPlaylistFlags(3 | 0x20);
        QSignalSpy started(view.get(), &CKivPlaylistView::autoStartRequested);
        QSignalSpy source(view.get(), &CKivMp3ListView::playerSourceRequested);
        login();
        QCOMPARE(rows(), (QStringList{"c.mp3", "b.mp3", "c.mp3"}));
        QCOMPARE(view->FileName(), QStringLiteral("mine.atp"));
        QCOMPARE(view->Caption(), QStringLiteral("Playlist: mine.atp"));
        QCOMPARE(source.size(), 1);
        QCOMPARE(started.size(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(started.size(), 1, 2000);
        // A second list of the login does not load again.
        login();
        QCOMPARE(view->model().rowCount(), 3);
        // Closing writes the rows back where they came from, the missing key gone.
        view->Close();
        QCOMPARE(keysIn(path), (QStringList{key("c.mp3"), key("b.mp3"), key("c.mp3")}));
    }

    void withoutStoredPlaylistNothingLoadsOrStarts()
    {
        f.catalog.settings().SetPlaylistFilename(f.folder(QStringLiteral("none")) + QStringLiteral("missing.atp"));
        f.catalog.settings().SetPlaylistFlags(0x20);
        QSignalSpy started(view.get(), &CKivPlaylistView::autoStartRequested);
        login();
        QCOMPARE(view->model().rowCount(), 0);
        QCOMPARE(view->FileName(), QString());
        QTest::qWait(1200);
        QCOMPARE(started.size(), 0);
        // Closing without a name writes default.atp in the current folder and remembers it.
        send(108, {"a.mp3"});
        view->Close();
        QCOMPARE(view->FileName(), QStringLiteral("default.atp"));
        QCOMPARE(f.catalog.settings().GetPlaylistFilename(), CKivPlaylistView::DefaultPath());
        QCOMPARE(keysIn(CKivPlaylistView::DefaultPath()), QStringList{key("a.mp3")});
    }

    void itemsAppendInTheirOrderAndWriteAsShown()
    {
        login();
        QSignalSpy source(view.get(), &CKivMp3ListView::playerSourceRequested);
        send(108, {"b.mp3", "a.mp3"});
        send(103, {"b.mp3"});
        QCOMPARE(rows(), (QStringList{"b.mp3", "a.mp3", "b.mp3"}));
        QCOMPARE(source.size(), 2);
        // The standard list's own hints leave the playlist alone.
        send(107, {"c.mp3"});
        QCOMPARE(view->model().rowCount(), 3);
        // Sorted by the user, the file follows the rows as shown.
        view->model().sortByHeader(view->model().columnOf(KivMp3Column::Field::Filename));
        const QString path = f.folder(QStringLiteral("saved")) + QStringLiteral("sorted.atp");
        QVERIFY(view->SaveAsPath(path));
        QCOMPARE(view->FileName(), QStringLiteral("sorted.atp"));
        QCOMPARE(keysIn(path), (QStringList{key("a.mp3"), key("b.mp3"), key("b.mp3")}));
        QCOMPARE(f.catalog.settings().GetPlaylistFilename(), path);
    }

    void newKeepsTheOldRowsInDefault()
    {
        login();
        send(108, {"c.mp3", "a.mp3"});
        view->New();
        QCOMPARE(view->model().rowCount(), 0);
        QCOMPARE(view->FileName(), QStringLiteral("default.atp"));
        QCOMPARE(view->Caption(), QStringLiteral("Playlist: default.atp"));
        QCOMPARE(keysIn(CKivPlaylistView::DefaultPath()), (QStringList{key("c.mp3"), key("a.mp3")}));
        QCOMPARE(f.catalog.settings().GetPlaylistFilename(), CKivPlaylistView::DefaultPath());
        // Closing writes the new, empty list there.
        view->Close();
        QCOMPARE(QFileInfo(CKivPlaylistView::DefaultPath()).size(), 0);
    }

    void failuresAreReportedAndChangeNothing()
    {
        login();
        send(108, {"c.mp3"});
        const QString stored = f.catalog.settings().GetPlaylistFilename();
        QVERIFY(!view->SaveAsPath(f.folder(QStringLiteral("x")) + QStringLiteral("no/such/dir/list.atp")));
        QVERIFY(f.said(KivPlaylistFile::SaveErrorText(), KivPlaylistFile::SaveErrorCaption()));
        QCOMPARE(view->FileName(), QString());
        QCOMPARE(f.catalog.settings().GetPlaylistFilename(), stored);
        QVERIFY(!view->OpenPath(f.folder(QStringLiteral("y")) + QStringLiteral("missing.atp")));
        QVERIFY(f.said(KivPlaylistFile::OpenErrorText(), KivPlaylistFile::OpenErrorCaption()));
        QCOMPARE(view->model().rowCount(), 1);
    }

    void removingTheSelection()
    {
        login();
        send(108, {"a.mp3", "b.mp3", "c.mp3"});
        view->selectRows({0, 2});
        view->onCommand(CKivPlaylistView::CmdRemoveSelection);
        QCOMPARE(rows(), QStringList{"b.mp3"});
        QCOMPARE(view->Data().ItemCount(), 1);
        view->onCommand(CKivMp3ListView::CmdClearList);
        QCOMPARE(view->model().rowCount(), 0);
    }

    void openReadsAnotherFile()
    {
        login();
        const QString path = f.folder(QStringLiteral("other")) + QStringLiteral("other.atp");
        QVERIFY(KivPlaylistFile::Write(path, {key("b.mp3")}));
        QVERIFY(view->OpenPath(path));
        QCOMPARE(rows(), QStringList{"b.mp3"});
        QCOMPARE(view->Caption(), QStringLiteral("Playlist: other.atp"));
        QCOMPARE(f.catalog.settings().GetPlaylistFilename(), path);
    }
};

} // namespace

int runPlaylistViewTest(int argc, char **argv)
{
    PlaylistViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PlaylistViewTest.moc"
