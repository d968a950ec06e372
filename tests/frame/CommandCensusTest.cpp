#include "app/ui/MelvoraApp.h"
#include "app/ui/frame/CommandTable.h"
#include "app/ui/frame/FrameLayouts.h"
#include "app/ui/frame/MainFrame.h"
#include "browse/folders/FileListModel.h"
#include "browse/folders/FolderTreeModel.h"
#include "browse/ui/folders/FileListCtrl.h"
#include "browse/ui/folders/FileListFormView.h"
#include "browse/ui/folders/FolderTreeCtrl.h"
#include "browse/ui/folders/MedienFormView.h"
#include "browse/ui/lists/Mp3ListView.h"
#include "browse/ui/lists/Mp3TableView.h"
#include "controls/ui/CommandRegistry.h"
#include "frame/FrameTests.h"
#include "lists/ListFixture.h"
#include "playback/ui/PlaylistView.h"
#include "support/AccessibleNames.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAction>
#include <QApplication>

#include <map>

namespace {

// The places a user works in, each with the focus in its view.
enum Context : unsigned {
    ListEmpty = 1,        // standard list, nothing selected
    ListSelection = 2,    // standard list, first row selected
    TvList = 4,           // TV list, first row selected
    TreeMedium = 8,       // folder tree, a medium selected
    TreeFolder = 16,      // folder tree, a folder selected
    FileView = 32,        // file view on the right, a file selected
    Playlist = 64,        // playlist with rows, first row selected
};
constexpr unsigned kAll = 127;
constexpr unsigned kLists = ListEmpty | ListSelection | TvList | Playlist;
constexpr unsigned kSelectedRows = ListSelection | TvList | Playlist;
constexpr unsigned kFolders = TreeMedium | TreeFolder | FileView;

const char *contextName(unsigned context)
{
    switch (context) {
    case ListEmpty:
        return "standard list without selection";
    case ListSelection:
        return "standard list with selection";
    case TvList:
        return "TV list";
    case TreeMedium:
        return "tree on a medium";
    case TreeFolder:
        return "tree on a folder";
    case FileView:
        return "file view";
    default:
        return "playlist";
    }
}

// Where each command of the command table must be usable. A command added to the table must be
// placed here; 0 means it is usable nowhere in these contexts (no handler, or it waits for a state
// none of them has).
const std::map<int, unsigned> &expected()
{
    using namespace KivCommandTable;
    static const std::map<int, unsigned> table{
        // Datei
        {SwitchUser, kAll},
        {OpenFile, kAll},
        {Print, kLists},
        {PrintPreview, kLists},
        {PrintSetup, kAll},
        {Exit, kAll},
        // Bearbeiten
        {ShowCatalog, kAll},
        {ScanMedium, kFolders},
        {ShowToImport, kFolders},
        {ShowInList, kFolders},
        {InsertInList, kFolders},
        {InsertInPlaylist, ListSelection | TvList | kFolders},
        {Rename, ListSelection},
        {TagEditor1, ListSelection},
        {TagEditor2, ListSelection},
        {NewFolder, kFolders},
        {DeleteFiles, ListSelection | TvList | kFolders},
        {SelectAll, kLists},
        {ClearSelection, kSelectedRows},
        // the lists offer no clipboard of their rows
        {Copy, 0},
        {Cut, 0},
        {Paste, 0},
        // Ansicht
        {LeftTreeAndFiles, kAll},
        {LeftFilesAndFiles, kAll},
        {LeftTagAndFiles, kAll},
        {LeftPlaylistAndFiles, kAll},
        {LeftTree, kAll},
        {LeftFiles, kAll},
        {LeftTag, kAll},
        {LeftPlaylist, kAll},
        {RightStandard, kAll},
        {RightTv, kAll},
        {RightFiles, kAll},
        {ToolBarToggle, kAll},
        {StatusBarToggle, kAll},
        {SortAscending, kLists},
        {SortDescending, kLists},
        {LargeIcons, FileView},
        {SmallIcons, FileView},
        {Details, FileView},
        {Categories, ListEmpty | ListSelection},
        // Filter
        {FilterDefine, kAll},
        {OfflineCds, kAll},
        {OnlineMedia, kAll},
        // Steuerung
        {Play, kAll},
        {Stop, kAll},
        {Pause, kAll},
        {FastForward, kAll},
        {FastRewind, kAll},
        {Previous, kAll},
        {Next, kAll},
        {VolumeUp, kAll},
        {VolumeDown, kAll},
        // Zubehör
        {SleepTimer, kAll},
        // Einstellungen
        {UserAdmin, kAll},
        {Connection, kAll},
        {Settings, kAll},
        {LabelEdit, kAll},
        {DragDrop, kAll},
        {QuickImport, kAll},
        {BackgroundPicture, ListEmpty | ListSelection},
        // ?
        {Manual, kAll},
        {About, kAll},
        // keys, tool bars and context menus
        {FocusList, kAll},
        {FocusSearch, kAll},
        {PlayerSource, kAll},
        {ClearList, kLists},
        {RemoveSelection, Playlist},
        {PlaylistNew, kAll},
        {PlaylistOpen, kAll},
        {PlaylistSaveAs, kAll},
        {ViewA, ListEmpty | ListSelection},
        {ViewB, ListEmpty | ListSelection},
        {ViewC, ListEmpty | ListSelection},
        {ViewD, ListEmpty | ListSelection},
        {Rating1, kSelectedRows},
        {33068, kSelectedRows},
        {33069, kSelectedRows},
        {33070, kSelectedRows},
        {Rating5, kSelectedRows},
        {BoundToTree, FileView},
        {Customize, kAll},
        {SortField, kAll},
        // the framework's document commands: this program has no document file
        {FileOpen, 0},
        {FileSave, 0},
        // undo of the last tag or renaming batch: none was run here
        {Undo, 0},
    };
    return table;
}

} // namespace

// Every command of the command table in each place a user works in: the test fails for a command
// that is grey where it has a handler, and for a command the table below does not place.
class CommandCensusTest : public QObject
{
    Q_OBJECT

    ListFixture m_f;
    std::unique_ptr<CMainFrame> m_frame;

    CKivCommandRegistry &commands() { return m_frame->commands(); }
    CKivMp3ListView *listView(int entry) const { return qobject_cast<CKivMp3ListView *>(m_frame->view(entry)); }

    // Gives widget the focus and waits until the frame sends it the commands.
    bool focus(QWidget *widget)
    {
        widget->setFocus(Qt::OtherFocusReason);
        if (!QTest::qWaitFor([widget] { return widget->hasFocus(); }, 2000))
            return false;
        m_frame->updateStates();
        return true;
    }

    void selectFirstRow(QAbstractItemView &view)
    {
        view.setCurrentIndex(view.model()->index(0, 0, view.rootIndex()));
        view.selectionModel()->select(view.currentIndex(), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    }

    QModelIndex childNamed(const QAbstractItemModel &model, const QModelIndex &parent, const QString &name)
    {
        for (int row = 0; row < model.rowCount(parent); ++row) {
            const QModelIndex index = model.index(row, 0, parent);
            if (index.data().toString() == name)
                return index;
        }
        return QModelIndex();
    }

    // Brings the frame into context; false when it could not.
    bool enter(unsigned context)
    {
        CKivCommandRegistry &c = commands();
        switch (context) {
        case ListEmpty:
        case ListSelection: {
            c.dispatch(KivCommandTable::RightStandard);
            CKivMp3ListView *list = listView(5);
            list->table().clearSelection();
            if (context == ListSelection)
                selectFirstRow(list->table());
            return focus(&list->table());
        }
        case TvList: {
            c.dispatch(KivCommandTable::RightTv);
            CKivMp3ListView *list = listView(6);
            selectFirstRow(list->table());
            return focus(&list->table());
        }
        case TreeMedium:
        case TreeFolder: {
            c.dispatch(KivCommandTable::RightStandard);
            if (m_frame->layouts().leftLayout() != 1)
                c.dispatch(KivCommandTable::LeftTree);
            CKivFolderTreeCtrl &tree = qobject_cast<CKivMedienFormView *>(m_frame->view(0))->Tree();
            QModelIndex index = childNamed(tree.Model(), QModelIndex(), QStringLiteral("Musik"));
            if (context == TreeFolder) {
                tree.expand(index);
                if (tree.Model().canFetchMore(index))
                    tree.Model().fetchMore(index);
                index = childNamed(tree.Model(), index, QStringLiteral("Rock"));
            }
            if (!index.isValid())
                return false;
            tree.setCurrentIndex(index);
            return focus(&tree);
        }
        case FileView: {
            c.dispatch(KivCommandTable::RightFiles);
            auto *view = qobject_cast<CFileListFormView *>(m_frame->view(7));
            view->List().Model().ShowChildrenOf(CKivFolderEntry::ForMedium(m_f.musik(), 0));
            auto *shown = view->List().findChild<QAbstractItemView *>();
            for (QAbstractItemView *candidate : view->List().findChildren<QAbstractItemView *>()) {
                if (candidate->isVisible())
                    shown = candidate;
            }
            selectFirstRow(*shown);
            return focus(shown);
        }
        default: {
            c.dispatch(KivCommandTable::RightStandard);
            if (m_frame->layouts().leftLayout() != 4)
                c.dispatch(KivCommandTable::LeftPlaylist);
            CKivPlaylistView &playlist = m_frame->playlistView();
            if (playlist.model().rowCount() == 0) {
                selectFirstRow(listView(5)->table());
                listView(5)->onCommand(CKivMp3ListView::CmdToPlaylist);
            }
            if (playlist.model().rowCount() == 0)
                return false;
            selectFirstRow(playlist.table());
            return focus(&playlist.table());
        }
        }
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_f.setUp());
        m_frame = std::make_unique<CMainFrame>(*m_f.doc, m_f.catalog.settings(), m_f.db(), *m_f.filter);
        // What the application object adds: the user switch, the user administration and the manual.
        for (int id : {int(CMelvoraApp::IdSwitchUser), int(CMelvoraApp::IdUserAdmin), int(CMelvoraApp::IdManual)})
            m_frame->commands().setHandler(id, {[] {}, {}});
        m_frame->openPlayer();
        m_frame->show();
        QApplication::setActiveWindow(m_frame.get());
        QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
        QVERIFY(m_f.reload());
    }

    void cleanup()
    {
        m_frame.reset();
        m_f.doc.reset();
    }

    void everyCommandIsUsableWhereItHasAHandler()
    {
        QStringList unplaced;
        for (const KivCommandDef &def : KivCommandTable::commands()) {
            if (!expected().count(def.id))
                unplaced << QString::number(def.id) + QLatin1Char(' ') + def.text;
        }
        QVERIFY2(unplaced.isEmpty(), qPrintable(QStringLiteral("not placed: ") + unplaced.join(QStringLiteral(", "))));

        QStringList grey;
        for (unsigned context = 1; context <= Playlist; context <<= 1) {
            QVERIFY2(enter(context), contextName(context));
            for (const KivCommandDef &def : KivCommandTable::commands()) {
                const bool wanted = expected().at(def.id) & context;
                if (wanted && !commands().action(def.id)->isEnabled())
                    grey << QStringLiteral("%1 \"%2\" in the %3").arg(def.id).arg(def.text, QLatin1String(contextName(context)));
            }
        }
        QVERIFY2(grey.isEmpty(), qPrintable(QStringLiteral("grey: ") + grey.join(QStringLiteral("; "))));
    }

    // What a screen reader finds in each place: every field and every cell that shows text or a
    // picture has a name; the pictures of the lists and the tree are said in words.
    void aScreenReaderFindsANameEverywhere()
    {
        const auto shows = [](const QModelIndex &index) {
            // The picture columns of the MP3 lists draw their pictures themselves.
            const bool mp3List = qobject_cast<const CKivMp3ListModel *>(index.model()) != nullptr;
            return KivAccessibleNames::showsTextOrPicture(index)
                || (mp3List && index.data(CKivMp3ListModel::ImageKeyRole).isValid());
        };
        for (unsigned context = 1; context <= Playlist; context <<= 1) {
            QVERIFY2(enter(context), contextName(context));
            const QStringList missing = KivAccessibleNames::unnamed(m_frame.get(), shows);
            QVERIFY2(missing.isEmpty(), qPrintable(QLatin1String(contextName(context)) + QStringLiteral(": ")
                                                   + missing.join(QLatin1Char(' '))));
        }

        // The picture columns of the standard list and the tree's medium, as a screen reader reads them.
        CKivMp3ListView *list = listView(5);
        QAccessibleInterface *table = QAccessible::queryAccessibleInterface(&list->table());
        QVERIFY(table && table->tableInterface());
        auto cellName = [&](KivMp3Column::Field field) {
            QAccessibleInterface *cell = table->tableInterface()->cellAt(0, list->model().columnOf(field));
            return cell ? cell->text(QAccessible::Name) : QString();
        };
        QCOMPARE(cellName(KivMp3Column::Field::Type), QStringLiteral("Mp3 Datei"));
        QCOMPARE(cellName(KivMp3Column::Field::Status), QStringLiteral("online"));
        QCOMPARE(cellName(KivMp3Column::Field::Rating), QStringLiteral("Bewertung 3"));
        QCOMPARE(cellName(KivMp3Column::Field::Title), list->model().item(0)->GetTitle());
        CKivFolderTreeCtrl &tree = qobject_cast<CKivMedienFormView *>(m_frame->view(0))->Tree();
        QAccessibleInterface *treeFace = QAccessible::queryAccessibleInterface(&tree);
        QVERIFY(treeFace && treeFace->tableInterface());
        const QModelIndex musik = childNamed(tree.Model(), QModelIndex(), QStringLiteral("Musik"));
        QAccessibleInterface *medium = treeFace->tableInterface()->cellAt(musik.row(), 0);
        QVERIFY(medium);
        QCOMPARE(medium->text(QAccessible::Name), QStringLiteral("Musik, Medium, online"));
    }
};

int runCommandCensusTest(int argc, char **argv)
{
    CommandCensusTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "CommandCensusTest.moc"
