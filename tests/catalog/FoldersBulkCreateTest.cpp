#include "support/TestRegistry.h"

#include "catalog/FoldersBulkCreate.h"
#include "catalog/RsFolder.h"
#include "catalog/Transaction.h"
#include "support/CatalogFixture.h"

#include <QSqlQuery>
#include <QtTest>

// Folders added together must be the rows GetOrCreateFolder adds one by one: same columns, parents
// linked; a folder that exists already refuses the call and leaves the caller's IDs alone.
class FoldersBulkCreateTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_fixture;

    // sub-path -> "parent sub-path|import flag|creation time set" of every folder of the medium.
    QHash<QString, QString> tree(const QString &medium)
    {
        QHash<qint32, QString> paths;
        QList<std::tuple<QString, qint32, qint32, bool>> rows;
        CRsFolder folders(m_fixture.db());
        if (folders.OpenSubtree(medium, QString())) {
            for (; !folders.IsEOF(); folders.MoveNext()) {
                paths.insert(folders.m_ID, folders.m_SubPath);
                rows.append({folders.m_SubPath, folders.m_ParentID, folders.m_IsImportFolder, folders.m_CreationTime.isValid()});
            }
        }
        QHash<QString, QString> result;
        for (const auto &[path, parent, import, created] : rows)
            result.insert(path, paths.value(parent) + u'|' + QString::number(import) + u'|' + QString::number(created));
        return result;
    }

private Q_SLOTS:
    void init() { QVERIFY(m_fixture.recreate()); }

    void addsWhatGetOrCreateFolderAdds()
    {
        CKivDatabase &db = m_fixture.db();
        const QStringList paths{QStringLiteral("Rock\\"), QStringLiteral("Rock\\Live\\"), QStringLiteral("Rock\\Live\\1999\\"),
                                QStringLiteral("Jazz\\"), QStringLiteral("Größe 'x'\\")};
        CRsFolder one(db);
        for (const QString &path : paths)
            QVERIFY(one.GetOrCreateFolder(QStringLiteral("Einzeln"), path, false) > 0);

        QHash<QString, qint32> ids;
        CKivTransaction transaction(db);
        const bool added = KivFoldersBulkCreate::Run(db, QStringLiteral("Zusammen"), paths, ids);
        QVERIFY(transaction.Commit());
        if (!db.dialect().insertReturnsKey()) {
            QVERIFY(!added);
            QVERIFY(ids.isEmpty());
            return;
        }
        QVERIFY(added);
        QCOMPARE(ids.size(), paths.size());
        QCOMPARE(tree(QStringLiteral("Zusammen")), tree(QStringLiteral("Einzeln")));
        for (const QString &path : paths)
            QCOMPARE(one.GetOrCreateFolder(QStringLiteral("Zusammen"), path, false), ids.value(path));
    }

    void anExistingFolderRefusesTheCall()
    {
        CKivDatabase &db = m_fixture.db();
        if (!db.dialect().insertReturnsKey())
            QSKIP("folders are added together only where the database hands back the new keys");
        CRsFolder one(db);
        const qint32 rock = one.GetOrCreateFolder(QStringLiteral("Musik"), QStringLiteral("Rock\\"), false);
        QVERIFY(rock > 0);
        QHash<QString, qint32> ids{{QStringLiteral("Rock\\"), rock}};
        CKivTransaction transaction(db);
        QVERIFY(!KivFoldersBulkCreate::Run(db, QStringLiteral("Musik"),
                                           {QStringLiteral("Jazz\\"), QStringLiteral("Rock\\")}, ids));
        QCOMPARE(ids.size(), 1);
        // The transaction goes on: the folders are then created one by one.
        QVERIFY(one.GetOrCreateFolder(QStringLiteral("Musik"), QStringLiteral("Jazz\\"), false) > 0);
        QVERIFY(transaction.Commit());
        QCOMPARE(tree(QStringLiteral("Musik")).size(), 2);
    }
};

MELVORA_TEST(FoldersBulkCreateTest, CatalogFixture::isolateOdbcIni);

#include "FoldersBulkCreateTest.moc"
