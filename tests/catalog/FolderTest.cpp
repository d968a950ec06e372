#include "support/TestRegistry.h"

#include "catalog/RsFolder.h"
#include "support/CatalogFixture.h"

#include <QtTest>

// The folder tree: GetOrCreateFolder's order, idempotence and import-flag rules; subtree and children.
class FolderTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_fixture;

    struct Row
    {
        qint32 id;
        QString subPath;
        qint32 parent;
        qint32 importFolder;
    };

    QList<Row> rows(const QString &filter = QString())
    {
        CRsFolder folders(m_fixture.db());
        folders.m_strFilter = filter;
        QList<Row> result;
        if (!folders.Open())
            return result;
        for (; !folders.IsEOF(); folders.MoveNext())
            result.append({folders.m_ID, folders.m_SubPath, folders.m_ParentID, folders.m_IsImportFolder});
        return result;
    }

    QStringList subtree(const QString &medium, const QString &prefix)
    {
        CRsFolder folders(m_fixture.db());
        QStringList found;
        if (folders.OpenSubtree(medium, prefix)) {
            for (; !folders.IsEOF(); folders.MoveNext())
                found << folders.m_SubPath;
        }
        found.sort();
        return found;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_fixture.recreate()); }

    void createsMissingAncestorsTopDownOnce()
    {
        CRsFolder folders(m_fixture.db());
        const qint32 id = folders.GetOrCreateFolder(QStringLiteral("D"), QStringLiteral("A\\B\\C\\"), false);
        const QList<Row> created = rows();
        QCOMPARE(created.size(), 3);
        QCOMPARE(created[0].subPath, QStringLiteral("A\\"));
        QCOMPARE(created[0].parent, 0);
        QCOMPARE(created[1].subPath, QStringLiteral("A\\B\\"));
        QCOMPARE(created[1].parent, created[0].id);
        QCOMPARE(created[2].subPath, QStringLiteral("A\\B\\C\\"));
        QCOMPARE(created[2].parent, created[1].id);
        QCOMPARE(id, created[2].id);
        QVERIFY(!folders.IsOpen());

        QCOMPARE(folders.GetOrCreateFolder(QStringLiteral("D"), QStringLiteral("A\\B\\C\\"), false), id);
        QCOMPARE(folders.GetOrCreateFolder(QStringLiteral("D"), QStringLiteral("A\\B\\"), false),
                 created[1].id);
        QCOMPARE(rows().size(), 3);
        // The same path on another medium is another folder.
        QVERIFY(folders.GetOrCreateFolder(QStringLiteral("E"), QStringLiteral("A\\"), false) > id);
        QCOMPARE(folders.GetOrCreateFolder(QStringLiteral("D"), QString(), false), 0);
        QCOMPARE(rows().size(), 4);
    }

    void importFlagRules()
    {
        CRsFolder folders(m_fixture.db());
        // An import never marks an existing normal folder.
        const qint32 normal = folders.GetOrCreateFolder(QStringLiteral("D"), QStringLiteral("Rock\\"), false);
        QCOMPARE(folders.GetOrCreateFolder(QStringLiteral("D"), QStringLiteral("Rock\\"), true), normal);
        QCOMPARE(rows()[0].importFolder, 0);

        // New import folders, ancestors included, are marked; a normal scan unmarks only its folder.
        const qint32 imported =
            folders.GetOrCreateFolder(QStringLiteral("D"), QStringLiteral("Neu\\Alt\\"), true);
        QCOMPARE(rows(QStringLiteral("IsImportFolder=1")).size(), 2);
        QCOMPARE(folders.GetOrCreateFolder(QStringLiteral("D"), QStringLiteral("Neu\\Alt\\"), false),
                 imported);
        const QList<Row> marked = rows(QStringLiteral("IsImportFolder=1"));
        QCOMPARE(marked.size(), 1);
        QCOMPARE(marked[0].subPath, QStringLiteral("Neu\\"));
    }

    void childrenOfAFolder()
    {
        CRsFolder folders(m_fixture.db());
        folders.GetOrCreateFolder(QStringLiteral("D"), QStringLiteral("A\\X\\"), false);
        folders.GetOrCreateFolder(QStringLiteral("D"), QStringLiteral("B\\"), true);
        folders.GetOrCreateFolder(QStringLiteral("E"), QStringLiteral("C\\"), false);

        QVERIFY(folders.OpenChildren(QStringLiteral("D"), 0, false));
        QStringList top;
        for (; !folders.IsEOF(); folders.MoveNext())
            top << folders.m_SubPath;
        QCOMPARE(top, (QStringList{QStringLiteral("A\\"), QStringLiteral("B\\")}));

        QVERIFY(folders.OpenChildren(QStringLiteral("D"), 0, true));
        QCOMPARE(folders.m_SubPath, QStringLiteral("B\\"));
        QVERIFY(!folders.MoveNext());
    }

    void subtreeNeedsThePrefixAtTheStart()
    {
        CRsFolder folders(m_fixture.db());
        for (const char *path : {"Rock\\Alt\\", "Rockabilly\\", "Hard Rock\\", "Alt\\Rock\\"})
            QVERIFY(folders.GetOrCreateFolder(QStringLiteral("M"), QString::fromLatin1(path), false) > 0);
        QVERIFY(folders.GetOrCreateFolder(QStringLiteral("Other"), QStringLiteral("Rock\\"), false) > 0);

        QCOMPARE(subtree(QStringLiteral("M"), QStringLiteral("Rock\\")),
                 (QStringList{QStringLiteral("Rock\\"), QStringLiteral("Rock\\Alt\\")}));
        QCOMPARE(subtree(QStringLiteral("M"), QStringLiteral("Rock\\Alt\\")),
                 QStringList{QStringLiteral("Rock\\Alt\\")});
        QVERIFY(subtree(QStringLiteral("M"), QStringLiteral("Pop\\")).isEmpty());
    }

    void quotesInSubPaths()
    {
        CRsFolder folders(m_fixture.db());
        const QString medium = QStringLiteral("Rock'n'Roll");
        const qint32 live = folders.GetOrCreateFolder(medium, QStringLiteral("Rock'n'Roll\\Live\\"), false);
        QVERIFY(live > 0);
        QVERIFY(folders.OpenByPath(medium, QStringLiteral("Rock'n'Roll\\")));
        const qint32 parent = folders.m_ID;
        QVERIFY(folders.OpenById(live));
        QCOMPARE(folders.m_ParentID, parent);
        QCOMPARE(folders.m_Mediumname, medium);
        QCOMPARE(subtree(medium, QStringLiteral("Rock'n'Roll\\")),
                 (QStringList{QStringLiteral("Rock'n'Roll\\"), QStringLiteral("Rock'n'Roll\\Live\\")}));
    }
};

MELVORA_TEST(FolderTest, CatalogFixture::isolateOdbcIni);

#include "FolderTest.moc"
