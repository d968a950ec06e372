#include "core/Settings.h"
#include "browse/list/Mp3FileDelete.h"
#include "mp3/item/DiskDelete.h"
#include "browse/list/Mp3SelectionSums.h"
#include "mp3/item/SizeText.h"
#include "browse/ui/lists/Mp3ListeBigFormView.h"
#include "browse/ui/lists/Mp3ListeFormView.h"
#include "browse/ui/lists/Mp3TableView.h"
#include "controls/ui/CommandRegistry.h"
#include "lists/ListFixture.h"
#include "lists/ListTests.h"

#include "browse/SearchField.h"
#include "catalog/Mp3RowReader.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QSqlError>
#include <QSqlQuery>

// The two views on the document: hints, status panes, label editing, the commands on selected
// rows (ratings, playlist, deleting files, emptying the list), drops and double-clicks.
class ViewTest : public QObject
{
    Q_OBJECT

    ListFixture f;
    CKivCommandRegistry commands;
    std::unique_ptr<CKivMp3ListeFormView> view;

    static QList<int> hints(const QSignalSpy &spy)
    {
        QList<int> result;
        for (const QList<QVariant> &call : spy)
            result << call.at(0).toInt();
        return result;
    }

    int rowOf(const QString &filename) const { return view->model().rowOf(f.byName(filename).get()); }

    // count more rows on "Musik" (no files behind them), written by the database itself.
    bool addRows(int count)
    {
        const QString values = QStringLiteral(
            "'Musik', '(Musik)Viele\\n' || i || '.mp3', 'n' || i || '.mp3', 'Viele\\', 'viele ' || i, 'Titel ' || i, 0, 0");
        const QString insert = QStringLiteral(
            "INSERT INTO Mp3s (Mediumname, MediumSubPathFilename, Filename, SubPath, SearchIndex, Title, ImportID, "
            "FolderID) SELECT ");
        const QString last = QString::number(count - 1);
        const QString sql = f.catalog.isPostgres()
                                ? insert + values + QStringLiteral(" FROM generate_series(0, ") + last +
                                      QStringLiteral(") AS g(i)")
                                : QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < ") +
                                      last + QStringLiteral(") ") + insert + values + QStringLiteral(" FROM n");
        QSqlQuery query(f.db().connection());
        if (query.exec(sql))
            return true;
        qWarning("%s", qPrintable(query.lastError().text()));
        return false;
    }

    static QList<int> ids(const std::vector<CKivMp3::Ptr> &items)
    {
        QList<int> result;
        for (const CKivMp3::Ptr &item : items)
            result << item->GetID();
        return result;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(f.setUp());
        view = std::make_unique<CKivMp3ListeFormView>(*f.doc, f.catalog.settings(), commands);
        QCOMPARE(view->model().rowCount(), 3);
    }

    void cleanup()
    {
        view.reset();
        f.doc.reset();
    }

    void refillAndStatusPanes()
    {
        QSignalSpy panes(view.get(), &CKivMp3ListView::statusPanesChanged);
        QVERIFY(f.addSong(QString(), QStringLiteral("d.mp3"), "Delta", "D"));
        QVERIFY(f.reload());
        QCOMPARE(view->model().rowCount(), 4);
        QCOMPARE(panes.last().at(0).toString(), QStringLiteral("0 / 4"));
        view->selectRows({rowOf(QStringLiteral("b.mp3")), rowOf(QStringLiteral("c.mp3"))});
        QCOMPARE(panes.last().at(0).toString(), QStringLiteral("2 / 4"));
        const qint64 bytes = qint64(f.byName(QStringLiteral("b.mp3"))->GetFileSize())
                           + f.byName(QStringLiteral("c.mp3"))->GetFileSize();
        QCOMPARE(panes.last().at(1).toString(), KivSizeText::Format(bytes));
        QCOMPARE(panes.last().at(2).toString(),
                 KivMp3SelectionSums::timeText(f.byName(QStringLiteral("b.mp3"))->GetLength() * 2));
        view->onCommand(CKivMp3ListView::CmdSelectAll);
        QCOMPARE(panes.last().at(0).toString(), QStringLiteral("4 / 4"));
        view->onCommand(CKivMp3ListView::CmdClearSelection);
        QCOMPARE(panes.last().at(0).toString(), QStringLiteral("0 / 4"));
    }

    // A list loading in steps shows its first block of rows at once and the rest as they arrive;
    // the rows, their order and the status panes end as a load in one go leaves them.
    void refillInStepsShowsTheFirstRowsBeforeTheRest()
    {
        QVERIFY(addRows(1500));
        CKivMp3Liste &list = f.list();
        list.LoadMedium(QStringLiteral("Musik"), QString());
        const QList<int> whole = ids(list.GetItems());
        QCOMPARE(whole.size(), 1503);

        list.SetStepped(true);
        list.SetStepBudgets(0, 0);  // one block of rows a step
        QSignalSpy panes(view.get(), &CKivMp3ListView::statusPanesChanged);
        QSignalSpy finished(&list, &CKivMp3Liste::loadFinished);
        list.LoadMedium(QStringLiteral("Musik"), QString());
        QVERIFY(list.IsLoading());
        QCOMPARE(view->model().rowCount(), CKivMp3RowReader::DefaultBlockRows);
        QVERIFY(finished.wait(10000));
        QVERIFY(!list.IsLoading());
        QCOMPARE(ids(view->model().rows()), whole);
        QCOMPARE(ids(list.GetItems()), whole);
        QCOMPARE(panes.last().at(0).toString(), QStringLiteral("0 / 1503"));
    }

    // A new search while the rows of the last one are still arriving replaces it: none of the old
    // rows follow.
    void aNewSearchReplacesOneStillArriving()
    {
        QVERIFY(addRows(1500));
        CKivMp3Liste &list = f.list();
        KivSearchField::Search(QStringLiteral("viele 14"), *f.filter, list);
        const QList<int> expected = ids(list.GetItems());
        QCOMPARE(expected.size(), 111);  // 14, 140-149, 1400-1499

        list.SetStepped(true);
        list.SetStepBudgets(0, 0);
        QSignalSpy finished(&list, &CKivMp3Liste::loadFinished);
        KivSearchField::Search(QStringLiteral("viele"), *f.filter, list);
        QVERIFY(list.IsLoading());
        QCoreApplication::processEvents();  // one more step of the first search
        KivSearchField::Search(QStringLiteral("viele 14"), *f.filter, list);
        QTRY_VERIFY(!list.IsLoading());
        QTest::qWait(50);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(ids(list.GetItems()), expected);
        QCOMPARE(ids(view->model().rows()), expected);
    }

    void labelEditFollowsTheDocument()
    {
        QVERIFY(!view->model().labelEdit());
        f.doc->OnLabelEdit();
        QVERIFY(view->model().labelEdit());
        QVERIFY(view->table().editTriggers() != QAbstractItemView::NoEditTriggers);
        f.doc->OnLabelEdit();
        QVERIFY(!view->model().labelEdit());
        QCOMPARE(view->table().editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    void ratingsOfASelectionReachTheCatalog()
    {
        f.setOnline(false);  // ratings live in the catalog only
        view->onCommand(CKivMp3ListView::CmdSelectAll);
        IKivCommandTarget::State state;
        QVERIFY(view->queryCommand(CKivMp3ListView::CmdRating5, state));
        QVERIFY(state.enabled);
        view->onCommand(CKivMp3ListView::CmdRating5);
        for (const CKivMp3::Ptr &item : f.list()) {
            QCOMPARE(item->GetBewertung(), 5);
            QCOMPARE(f.row(item->GetID())->m_Bewertung, 5);
        }
        view->selectRows({rowOf(QStringLiteral("a.mp3"))});
        view->onCommand(CKivMp3ListView::CmdRating1);
        QCOMPARE(f.row(f.byName(QStringLiteral("a.mp3"))->GetID())->m_Bewertung, 1);
        QCOMPARE(f.row(f.byName(QStringLiteral("b.mp3"))->GetID())->m_Bewertung, 5);
    }

    void selectionGoesToThePlaylist()
    {
        QSignalSpy views(f.doc.get(), &CMelvoraDoc::updateAllViews);
        view->onCommand(CKivMp3ListView::CmdToPlaylist);
        QVERIFY(!hints(views).contains(108));

        std::vector<CKivMp3::Ptr> received;
        connect(f.doc.get(), &CMelvoraDoc::updateAllViews, this, [&received](int hint, const QVariant &payload) {
            if (hint == 108) {
                for (const CKivMp3::Ptr &item : *qobject_cast<CKivMp3Liste *>(payload.value<QObject *>()))
                    received.push_back(item);
            }
        });
        view->model().sort(view->model().columnOf(KivMp3Column::Field::Title), Qt::DescendingOrder);
        view->selectRows({0, 2});
        view->onCommand(CKivMp3ListView::CmdToPlaylist);
        QCOMPARE(hints(views).count(108), 1);
        QCOMPARE(received.size(), size_t(2));
        QCOMPARE(received[0]->GetTitle(), QStringLiteral("Gamma"));
        QCOMPARE(received[1]->GetTitle(), QStringLiteral("alpha"));
    }

    void emptyingTheList()
    {
        QSignalSpy views(f.doc.get(), &CMelvoraDoc::updateAllViews);
        view->onCommand(CKivMp3ListView::CmdClearList);
        QCOMPARE(f.list().ItemCount(), 0);
        QCOMPARE(view->model().rowCount(), 0);
        QVERIFY(hints(views).contains(101));
    }

    void deletingFilesFromDiskAsksFirstAndUsesTheTrash()
    {
        const CKivMp3::Ptr b = f.byName(QStringLiteral("b.mp3"));
        const QString path = b->FullPath();
        const int id = b->GetID();
        // The trash of this test: on the media's file system, so the files can go there.
        const QString data = f.folder(QStringLiteral("data"));
        qputenv("XDG_DATA_HOME", data.toLocal8Bit());
        int released = 0;
        f.doc->SetFileReleaser([&released] { ++released; });
        view->selectRows({rowOf(QStringLiteral("b.mp3"))});

        // "Nein" keeps everything.
        f.ui.answers = {KivAnswer::No};
        view->onCommand(CKivMp3ListView::CmdDeleteFiles);
        QVERIFY(f.said(KivDiskDelete::QuestionText(), KivDiskDelete::QuestionCaption()));
        QCOMPARE(f.ui.messages().constLast().buttons, KivButtons::YesNo);
        QVERIFY(QFile::exists(path));
        QCOMPARE(view->model().rowCount(), 3);
        QCOMPARE(released, 0);

        QSignalSpy views(f.doc.get(), &CMelvoraDoc::updateAllViews);
        f.ui.answers = {KivAnswer::Yes};
        view->onCommand(CKivMp3ListView::CmdDeleteFiles);
        QCOMPARE(released, 1);
        QVERIFY(!QFile::exists(path));
        QVERIFY(QFile::exists(data + QStringLiteral("Trash/files/b.mp3")));
        QVERIFY(b->IsDeleted());
        QCOMPARE(view->model().rowCount(), 2);
        QVERIFY(!f.row(id) || f.row(id)->m_ID != id);
        QVERIFY(hints(views).contains(401));
        QVariantMap change;
        for (const QList<QVariant> &call : views) {
            if (call.at(0).toInt() == 401)
                change = call.at(1).toMap();
        }
        QCOMPARE(change.value(QStringLiteral("kind")).toString(), QStringLiteral("removed"));
        QCOMPARE(change.value(QStringLiteral("filename")).toString(), QStringLiteral("b.mp3"));
        // A refill leaves the deleted file out.
        f.list().AnnounceReplaced();
        QCOMPARE(view->model().rowCount(), 2);

        // Files of an offline medium stop the command with the warning; nothing is deleted.
        f.setOnline(false);
        view->onCommand(CKivMp3ListView::CmdSelectAll);
        f.ui.answers = {KivAnswer::Yes};
        view->onCommand(CKivMp3ListView::CmdDeleteFiles);
        QVERIFY(f.said(KivMp3FileDelete::NoAccessText(), QStringLiteral("Warnung")));
        QCOMPARE(view->model().rowCount(), 2);
        QVERIFY(QFile::exists(f.byName(QStringLiteral("a.mp3"))->FullPath()));
        f.doc->SetFileReleaser({});
        qunsetenv("XDG_DATA_HOME");
    }

    void dropsOfAnotherListAppend()
    {
        f.doc->OnDragDrop();
        QVERIFY(view->table().dragDropOn());
        CKivMp3Liste other(f.db());
        other.SetMedia(f.doc->GetMedia());
        other.Search(QString(), QString());
        QCOMPARE(other.ItemCount(), 3);  // the same files, other item objects
        Q_EMIT view->table().itemsDropped(other.GetItems());
        QCOMPARE(view->model().rowCount(), 6);
        QCOMPARE(f.list().ItemCount(), 6);
        QVERIFY(f.ui.messages().isEmpty());

        // Items the list holds already: the drop is refused with the warning.
        Q_EMIT view->table().itemsDropped(other.GetItems());
        QCOMPARE(view->model().rowCount(), 6);
        QCOMPARE(f.ui.messages().size(), 1);
        QCOMPARE(f.ui.messages().at(0).caption, QStringLiteral("Warnung !"));
        QVERIFY(f.ui.messages().at(0).text.startsWith(QStringLiteral("Sie haben versucht eine ungültige Dateioperation")));
    }

    void doubleClickPlays()
    {
        QSignalSpy play(view.get(), &CKivMp3ListView::playRequested);
        QSignalSpy source(view.get(), &CKivMp3ListView::playerSourceRequested);
        const int row = rowOf(QStringLiteral("c.mp3"));
        Q_EMIT view->table().doubleClicked(view->model().index(row, 5));
        QCOMPARE(play.size(), 1);
        QCOMPARE(play.at(0).at(0).value<CKivMp3::Ptr>().get(), f.byName(QStringLiteral("c.mp3")).get());
        QCOMPARE(source.size(), 1);
        QCOMPARE(view->table().currentIndex().row(), row);
    }

    void backgroundAndCategoryCommands()
    {
        CKivSettings &settings = f.catalog.settings();
        QCOMPARE(settings.GetNormalFlags(), 3);
        view->onCommand(CKivMp3ListView::CmdBackground);
        QCOMPARE(settings.GetNormalFlags(), 7);
        IKivCommandTarget::State state;
        QVERIFY(view->queryCommand(CKivMp3ListView::CmdBackground, state));
        QVERIFY(state.checked);

        view->selectRows({rowOf(QStringLiteral("a.mp3"))});
        view->onCommand(CKivMp3ListView::CmdCategory);
        QVERIFY(view->isCategoryView());
        QCOMPARE(view->table().model()->rowCount(), 6);  // three artists, three songs
        QCOMPARE(view->selectedItems().size(), size_t(1));
        QCOMPARE(view->selectedItems().front()->GetFilename(), QStringLiteral("a.mp3"));
        // "Ansicht" switches the category view off.
        view->onCommand(CKivMp3ListView::CmdAnsichtB);
        QVERIFY(!view->isCategoryView());
        QCOMPARE(view->table().model(), &view->model());
    }

    // The sort commands sort by the clicked column, else by the first text column on screen, as a
    // header click does; the document's list keeps its order. Both lists, the TV list with its
    // first columns moved.
    void sortCommandsSortByTheCurrentColumn()
    {
        auto tv = std::make_unique<CKivMp3ListeBigFormView>(*f.doc, f.catalog.settings(), commands);
        tv->table().horizontalHeader()->moveSection(5, 1);  // "Filename:" first on screen
        struct Case
        {
            CKivMp3ListView *list;
            QStringList ascendingFirst;  // by the first text column
        };
        const QList<Case> cases = {
            {view.get(), {QStringLiteral("b.mp3"), QStringLiteral("a.mp3"), QStringLiteral("c.mp3")}},  // by ID
            {tv.get(), {QStringLiteral("a.mp3"), QStringLiteral("b.mp3"), QStringLiteral("c.mp3")}},    // by name
        };
        auto names = [](const CKivMp3ListView &list) {
            QStringList shown;
            for (const CKivMp3::Ptr &item : list.model().rows())
                shown << item->GetFilename();
            return shown;
        };
        const std::vector<CKivMp3::Ptr> listOrder = f.doc->GetMp3Liste()->GetItems();
        for (const Case &c : cases) {
            CKivMp3ListView &list = *c.list;
            IKivCommandTarget::State state;
            QVERIFY(list.queryCommand(CKivMp3ListView::CmdSortDescending, state));
            QVERIFY(state.enabled);
            list.onCommand(CKivMp3ListView::CmdSortDescending);
            QStringList descending = c.ascendingFirst;
            std::reverse(descending.begin(), descending.end());
            QCOMPARE(names(list), descending);
            list.onCommand(CKivMp3ListView::CmdSortAscending);
            QCOMPARE(names(list), c.ascendingFirst);
            QCOMPARE(list.table().horizontalHeader()->sortIndicatorOrder(), Qt::AscendingOrder);

            // After a click on "Artist" the commands keep to that column.
            const int artist = list.model().columnOf(KivMp3Column::Field::Artist);
            list.table().horizontalHeader()->sectionClicked(artist);
            QCOMPARE(names(list), QStringList({QStringLiteral("a.mp3"), QStringLiteral("c.mp3"), QStringLiteral("b.mp3")}));
            list.onCommand(CKivMp3ListView::CmdSortDescending);
            QCOMPARE(names(list), QStringList({QStringLiteral("b.mp3"), QStringLiteral("c.mp3"), QStringLiteral("a.mp3")}));
            QCOMPARE(list.table().horizontalHeader()->sortIndicatorSection(), artist);
            QCOMPARE(list.table().horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
        }
        QCOMPARE(f.doc->GetMp3Liste()->GetItems(), listOrder);

        // An empty list has nothing to sort.
        view->onCommand(CKivMp3ListView::CmdClearList);
        IKivCommandTarget::State state;
        QVERIFY(view->queryCommand(CKivMp3ListView::CmdSortAscending, state));
        QVERIFY(!state.enabled);
    }

    void tvListTakesCollectionsWhileVisible()
    {
        CKivMp3ListeBigFormView tv(*f.doc, f.catalog.settings(), commands);
        QSignalSpy panes(&tv, &CKivMp3ListView::statusPanesChanged);
        CKivMp3Liste collection(f.db());
        collection.Append(f.byName(QStringLiteral("a.mp3")));
        f.doc->UpdateAllViews(107, QVariant::fromValue(static_cast<QObject *>(&collection)));
        QCOMPARE(tv.model().rowCount(), 3);  // hidden: not its business
        tv.show();
        view->hide();
        f.doc->UpdateAllViews(107, QVariant::fromValue(static_cast<QObject *>(&collection)));
        QCOMPARE(tv.model().rowCount(), 4);
        QCOMPARE(panes.last().at(0).toString(), QStringLiteral("0 / 4"));
        tv.selectRows({0});
        QCOMPARE(panes.last().at(0).toString(), QStringLiteral("1 / 4"));
    }
};

int runViewTest(int argc, char **argv)
{
    ViewTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ViewTest.moc"
