#include "browse/folders/FileListModel.h"
#include "browse/folders/FolderOps.h"
#include "browse/folders/FolderTreeModel.h"
#include "folders/FolderFixture.h"
#include "folders/FolderTests.h"

#include <QAbstractItemModelTester>

// The tree and the file list under the model tester: lazy expansion that reads the medium again
// after collapsing, and rows that follow the file operations.
class ModelTest : public QObject
{
    Q_OBJECT

    FolderFixture f;

    static QStringList names(const QAbstractItemModel &model, const QModelIndex &parent = QModelIndex())
    {
        QStringList result;
        for (int row = 0; row < model.rowCount(parent); ++row)
            result << model.index(row, 0, parent).data().toString();
        return result;
    }

private Q_SLOTS:
    void init() { QVERIFY(f.setUp()); }

    void treeExpandsLazilyAndReadsAgainAfterCollapsing()
    {
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("Rock/Alt/s.mp3")));
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("top.mp3")));
        f.addRow(QStringLiteral("F"), QStringLiteral("Jazz\\"), QStringLiteral("b.mp3"));

        CKivFolderTreeModel model(f.db());
        model.Fill(f.media.get(), QStringLiteral("Aktuell: "));
        QCOMPARE(names(model), (QStringList{QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("F"),
                                            QStringLiteral("Aktuell: ")}));
        const QModelIndex a = model.index(0, 0);
        // Nothing is read before the node is expanded.
        QVERIFY(model.hasChildren(a));
        QCOMPARE(model.rowCount(a), 0);
        QVERIFY(model.canFetchMore(a));
        model.fetchMore(a);
        // The tester reads every node it can; from here on the tree is checked as it changes.
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        // Folders only: files stay in the file list.
        QCOMPARE(names(model, a), QStringList{QStringLiteral("Rock")});
        QVERIFY(!model.canFetchMore(a));

        // A folder made on disk shows after collapsing and expanding again.
        QVERIFY(QDir().mkpath(f.rootA + QStringLiteral("Pop")));
        model.Collapse(a);
        if (model.canFetchMore(a))
            model.fetchMore(a);
        QStringList shown = names(model, a);
        shown.sort();
        QCOMPARE(shown, (QStringList{QStringLiteral("Pop"), QStringLiteral("Rock")}));

        // The empty online medium offers to expand; expanding finds nothing and the mark goes.
        const QModelIndex b = model.index(1, 0);
        QVERIFY(!model.canFetchMore(b));
        QVERIFY(!model.hasChildren(b));

        // The offline medium is read from the catalog.
        const QModelIndex offline = model.index(2, 0);
        QCOMPARE(names(model, offline), QStringList{QStringLiteral("Jazz")});
        QCOMPARE(model.index(0, 0, offline).data(CKivFolderTreeModel::KindRole).toInt(),
                 int(CKivFolderEntry::CatalogFolder));
        QCOMPARE(model.index(3, 0).data(CKivFolderTreeModel::KindRole).toInt(), int(CKivFolderEntry::CdManager));
    }

    void treeFollowsFileOperations()
    {
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("Rock/Alt/s.mp3")));
        QVERIFY(QDir().mkpath(f.rootA + QStringLiteral("Target")));
        CKivFolderTreeModel model(f.db());
        model.Fill(f.media.get(), QStringLiteral("Aktuell: "));
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        const QModelIndex a = model.index(0, 0);
        QCOMPARE(model.rowCount(a), 2);
        CKivFolderOps ops(f.db());
        model.SetEditable(true);
        model.SetRenameHandler([&](const CKivFolderEntry::Ptr &entry, const QString &name) {
            const CKivFolderOps::Result result = ops.Rename(entry, name);
            return result.ok ? result.entry : nullptr;
        });
        int rock = names(model, a).indexOf(QStringLiteral("Rock"));
        QVERIFY(model.setData(model.index(rock, 0, a), QStringLiteral("Pop")));
        QVERIFY(names(model, a).contains(QStringLiteral("Pop")));
        QVERIFY(QFileInfo(f.rootA + QStringLiteral("Pop/Alt")).isDir());

        const int target = names(model, a).indexOf(QStringLiteral("Target"));
        const int pop = names(model, a).indexOf(QStringLiteral("Pop"));
        const CKivFolderOps::Result moved =
            ops.Move(model.index(pop, 0, a).data(CKivFolderTreeModel::EntryRole).value<CKivFolderEntry::Ptr>(),
                     model.index(target, 0, a).data(CKivFolderTreeModel::EntryRole).value<CKivFolderEntry::Ptr>());
        QVERIFY(moved.ok);
        for (const CKivFolderChange &change : moved.changes)
            model.ApplyChange(change);
        QCOMPARE(names(model, a), QStringList{QStringLiteral("Target")});
        const QModelIndex targetIndex = model.index(0, 0, a);
        QCOMPARE(names(model, targetIndex), QStringList{QStringLiteral("Pop")});
    }

    void fileListShowsAFolderAndFollowsChanges()
    {
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("Rock/s.mp3")));
        QVERIFY(FolderFixture::writeFile(f.rootA, QStringLiteral("Rock/t.mp3")));
        QVERIFY(QDir().mkpath(f.rootA + QStringLiteral("Rock/Alt")));
        CKivFileListModel model(f.db());
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);

        model.ShowMedia(f.media.get());
        QCOMPARE(model.AddressText(), QStringLiteral("Medien"));
        QCOMPARE(model.rowCount(), 3);

        model.ShowChildrenOf(f.diskFolder(QStringLiteral("A"), QString(), QStringLiteral("Rock")));
        QCOMPARE(model.AddressText(), QStringLiteral("(A)Rock\\"));
        QStringList shown = names(model);
        shown.sort();
        QCOMPARE(shown, (QStringList{QStringLiteral("Alt"), QStringLiteral("s"), QStringLiteral("t")}));
        const int s = names(model).indexOf(QStringLiteral("s"));
        QCOMPARE(model.index(s, CKivFileListModel::ColType).data().toString(), QStringLiteral("Mp3 Datei"));

        CKivFolderOps ops(f.db());
        const CKivFolderOps::Result gone = ops.Delete({model.EntryAt(s)});
        QVERIFY(gone.ok);
        model.ApplyChange(gone.changes.at(0));
        const CKivFolderOps::Result made = ops.CreateFolder(model.Current(), QStringLiteral("Neu"));
        model.ApplyChange(made.changes.at(0));
        const int t = names(model).indexOf(QStringLiteral("t"));
        const CKivFolderOps::Result renamed = ops.Rename(model.EntryAt(t), QStringLiteral("u"));
        model.ApplyChange(renamed.changes.at(0));
        shown = names(model);
        shown.sort();
        QCOMPARE(shown, (QStringList{QStringLiteral("Alt"), QStringLiteral("Neu"), QStringLiteral("u")}));
        // A folder made elsewhere does not show here.
        model.ApplyChange(ops.CreateFolder(f.mediumEntry(QStringLiteral("A")), QStringLiteral("Elsewhere")).changes.at(0));
        QCOMPARE(model.rowCount(), 3);
    }
};

int runModelTest(int argc, char **argv)
{
    ModelTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "ModelTest.moc"
