#include "app/ui/frame/FrameLayouts.h"
#include "app/ui/frame/MainFrame.h"
#include "app/ui/frame/SearchBar.h"
#include "app/ui/frame/SplitterWnd.h"
#include "browse/folders/FileListModel.h"
#include "browse/folders/FolderTreeModel.h"
#include "browse/list/ColumnArrangement.h"
#include "browse/ui/folders/FileListCtrl.h"
#include "browse/ui/folders/FileListFormView.h"
#include "browse/ui/folders/FolderCommands.h"
#include "browse/ui/folders/FolderTreeCtrl.h"
#include "browse/ui/folders/MedienFormView.h"
#include "browse/ui/lists/Mp3ListView.h"
#include "browse/ui/lists/Mp3TableView.h"
#include "controls/ui/CommandRegistry.h"
#include "frame/FrameTests.h"
#include "lists/ListFixture.h"
#include "mp3/item/DiskDelete.h"

#include <QComboBox>
#include <QHeaderView>
#include <QToolBar>
#include <QTreeView>
#include <QLineEdit>

// The main frame over a logged-in user's songs. A user switch (Ctrl+N) with the lists, the tree and
// the file lists showing: afterwards every view shows the new user's state and keeps working on it,
// and each user gets his own arrangement back. The bar's sort field sorts the queries.
class FrameListsTest : public QObject
{
    Q_OBJECT

    ListFixture m_f;
    std::unique_ptr<CMainFrame> m_frame;
    int m_bob = -1;

    CKivSettings &settings() { return m_f.catalog.settings(); }
    CKivMp3ListView *standardList() const { return qobject_cast<CKivMp3ListView *>(m_frame->view(5)); }
    CKivMp3ListView *tvList() const { return qobject_cast<CKivMp3ListView *>(m_frame->view(6)); }
    CKivFolderTreeModel &tree() const
    {
        return qobject_cast<CKivMedienFormView *>(m_frame->view(0))->Tree().Model();
    }
    CKivFileListModel &fileList(int entry) const
    {
        return qobject_cast<CFileListFormView *>(m_frame->view(entry))->List().Model();
    }

    // What the program does on Ctrl+N once the login dialog accepted the user.
    void switchTo(const QString &name, int id)
    {
        m_frame->storeUserState();
        settings().SetUserName(name);
        m_f.doc->OnNewDocument();
        m_frame->loadUserState();
        m_f.doc->OnLogin(name, id);
        // Paint everything once: a view still on freed state would read it now.
        m_frame->repaint();
        QTest::qWait(20);
    }

    void search(const QString &text)
    {
        QLineEdit *field = m_frame->searchBar()->edit();
        field->setText(text);
        QTest::keyClick(field, Qt::Key_Return);
        m_frame->repaint();
    }

    int firstColumnWidth(CKivMp3ListView *view) const { return view->table().horizontalHeader()->sectionSize(1); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.setUp());
        CRsBenutzer users(m_f.db());
        users.AddNew();
        users.m_Benutzername = QStringLiteral("bob");
        users.m_Passwort = QString();
        QVERIFY(users.Update());
        m_bob = users.m_ID;
        m_frame = std::make_unique<CMainFrame>(*m_f.doc, settings(), m_f.db(), *m_f.filter);
        m_frame->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_frame.get()));
        // Tree and file list on the left, the standard list on the right, files in the lists.
        m_frame->commands().dispatch(32912);
        QVERIFY(m_f.reload());
    }

    void cleanup()
    {
        m_frame.reset();
        m_f.doc.reset();
    }

    void everyViewFollowsTheNewUserAndKeepsWorking()
    {
        QCOMPARE(standardList()->model().rowCount(), 3);
        QCOMPARE(tvList()->model().rowCount(), 3);
        QCOMPARE(tree().rowCount(), 2);  // "Musik" and the CD manager

        // Bob has no media: no rows, no media in the tree or the file lists, searches find nothing.
        switchTo(QStringLiteral("bob"), m_bob);
        QCOMPARE(standardList()->model().list(), m_f.doc->GetMp3Liste());
        QCOMPARE(tvList()->model().list(), m_f.doc->GetMp3Liste());
        QCOMPARE(standardList()->model().rowCount(), 0);
        QCOMPARE(tvList()->model().rowCount(), 0);
        QCOMPARE(tree().rowCount(), 1);
        QCOMPARE(fileList(1).rowCount(), 0);
        QCOMPARE(fileList(4).rowCount(), 0);
        search(QStringLiteral("a"));
        QCOMPARE(standardList()->model().rowCount(), 0);

        // Back to anna: her files are found again, and rating and editing reach catalog and file.
        switchTo(QStringLiteral("anna"), m_f.user);
        QCOMPARE(tree().rowCount(), 2);
        search(QStringLiteral("Gamma"));
        QCOMPARE(standardList()->model().rowCount(), 1);
        QCOMPARE(tvList()->model().rowCount(), 1);
        standardList()->selectRows({0});
        standardList()->onCommand(CKivMp3ListView::CmdRating1 + 3);
        const CKivMp3::Ptr item = standardList()->model().item(0);
        QCOMPARE(item->GetBewertung(), 4);
        QCOMPARE(m_f.row(item->GetID())->m_Bewertung, 4);

        m_f.doc->OnLabelEdit();
        CKivMp3ListModel &model = standardList()->model();
        const QModelIndex title = model.index(0, model.columnOf(KivMp3Column::Field::Title));
        QVERIFY(model.setData(title, QStringLiteral("Gamma Neu")));
        QCOMPARE(model.data(title).toString(), QStringLiteral("Gamma Neu"));
        QCOMPARE(m_f.row(item->GetID())->m_Title, QStringLiteral("Gamma Neu"));
        m_frame->repaint();
    }

    void eachUserGetsHisOwnSplittersColumnsAndBars()
    {
        // Anna's arrangement as she leaves it.
        m_frame->outerSplitter().setSizes({260, 700});
        standardList()->table().horizontalHeader()->resizeSection(1, 77);
        QToolBar *edit = m_frame->toolBar(QStringLiteral("Edit"));
        QVERIFY(edit);
        const int editButtons = int(edit->actions().size());
        edit->removeAction(edit->actions().constFirst());

        // Bob stored his own columns and splitter once; nothing for his bars.
        const QString bobColumns = QStringLiteral("bob\\%1V2").arg(settings().GetNormalAnsicht());
        CKivColumnArrangement bobs = CKivColumnArrangement::defaults(standardList()->model().columns());
        std::vector<int> widths = bobs.widths();
        widths[1] = 123;
        QVERIFY(bobs.set(bobs.order(), widths, bobs.hidden()));
        QVERIFY(bobs.save(settings().store(), bobColumns));
        settings().store().setValue(QStringLiteral("bob\\KivSplitter"), QStringLiteral("Panes_0"),
                                    QStringLiteral("-1 190 -1 500"));

        switchTo(QStringLiteral("bob"), m_bob);
        QCOMPARE(firstColumnWidth(standardList()), 123);
        QTRY_COMPARE(m_frame->outerSplitter().sizes().at(0), 190);
        QCOMPARE(int(edit->actions().size()), editButtons);
        // Anna's values went under her name, none of them under bob's.
        QVERIFY(settings().store().value(QStringLiteral("anna\\KivSplitter"), QStringLiteral("Panes_0"))
                    .startsWith(QStringLiteral("-1 260 ")));
        QCOMPARE(CKivColumnArrangement::load(settings().store(), bobColumns, standardList()->model().columnCount())
                     ->widths()[1],
                 123);

        switchTo(QStringLiteral("anna"), m_f.user);
        QCOMPARE(firstColumnWidth(standardList()), 77);
        QTRY_COMPARE(m_frame->outerSplitter().sizes().at(0), 260);
        QCOMPARE(int(edit->actions().size()), editButtons - 1);
    }

    void theSortFieldInTheBarSortsTheNextQuery()
    {
        QVERIFY(m_f.addSong(QString(), QStringLiteral("d.mp3"), "Delta", "Bach"));
        search(QString());
        auto titles = [this] {
            QStringList shown;
            for (const CKivMp3::Ptr &item : standardList()->model().rows()) {
                if (item->GetTitle().at(0).isUpper())
                    shown.append(item->GetTitle());
            }
            return shown;
        };
        QCOMPARE(titles(), QStringList({QStringLiteral("Beta"), QStringLiteral("Gamma"), QStringLiteral("Delta")}));

        auto *combo = m_frame->toolBar(QStringLiteral("Filter"))->findChild<QComboBox *>(QStringLiteral("sortCombo"));
        QVERIFY(combo);
        m_frame->updateStates();
        QVERIFY(combo->isEnabled());
        combo->setCurrentIndex(combo->findText(QStringLiteral("Title")));
        QCOMPARE(m_f.filter->SortColumn(), QStringLiteral("Title"));
        search(QString());
        QCOMPARE(titles(), QStringList({QStringLiteral("Beta"), QStringLiteral("Delta"), QStringLiteral("Gamma")}));
    }

    void deletingAFolderAsksFirstAndPutsItIntoTheTrashUnderItsName()
    {
        const QString data = m_f.folder(QStringLiteral("data"));
        qputenv("XDG_DATA_HOME", data.toLocal8Bit());
        int released = 0;
        m_f.doc->SetFileReleaser([&released] { ++released; });
        const CKivFolderEntry::Ptr rock =
            CKivFolderEntry::FromDisk(m_f.musik(), QString(), QStringLiteral("Rock"), true, 0, QDateTime(), 0);

        m_f.ui.answers = {KivAnswer::No};
        KivFolderCommands::Delete(*m_f.doc, {rock});
        QVERIFY(m_f.said(KivDiskDelete::QuestionText(), KivDiskDelete::QuestionCaption()));
        QVERIFY(QFileInfo::exists(m_f.root + QStringLiteral("Rock/a.mp3")));
        QCOMPARE(released, 0);

        m_f.ui.answers = {KivAnswer::Yes};
        KivFolderCommands::Delete(*m_f.doc, {rock});
        QCOMPARE(released, 1);
        QVERIFY(!QFileInfo::exists(m_f.root + QStringLiteral("Rock")));
        QVERIFY(QFileInfo::exists(data + QStringLiteral("Trash/files/Rock/a.mp3")));
        // The catalog follows: the folder's file is no longer found.
        search(QStringLiteral("alpha"));
        QCOMPARE(standardList()->model().rowCount(), 0);
        m_f.doc->SetFileReleaser({});
        qunsetenv("XDG_DATA_HOME");
    }

    void theFileListsNameColumnFitsItsNames()
    {
        const QString longName = QStringLiteral("Ein sehr langer Dateiname einer Aufnahme aus dem Jahr 1999.mp3");
        QVERIFY(m_f.addSong(QString(), longName, "Lang", "Bach"));
        auto *view = qobject_cast<CFileListFormView *>(m_frame->view(4));
        QVERIFY(view->isVisible());
        view->List().Model().ShowChildrenOf(CKivFolderEntry::ForMedium(m_f.musik(), 0));
        auto *details = view->List().findChild<QTreeView *>();
        QVERIFY(details);
        int row = -1;
        for (int i = 0; i < view->List().Model().rowCount(); ++i) {
            if (view->List().Model().EntryAt(i)->GetFileName() == longName)
                row = i;
        }
        QVERIFY(row >= 0);
        const QString shown = view->List().Model().index(row, 0).data().toString();
        QVERIFY(details->columnWidth(0) > details->fontMetrics().horizontalAdvance(shown));
    }
};

int runFrameListsTest(int argc, char **argv)
{
    FrameListsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "FrameListsTest.moc"
