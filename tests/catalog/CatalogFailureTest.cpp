#include "support/CatalogFixture.h"
#include "support/TestRegistry.h"

#include "catalog/CatalogFailure.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

// What the engines themselves say when a statement fails, read as a cause a retry cannot cure or as
// a failure of one row: a missing table, a database that may not be written, a full database, and a
// key that is taken (the next row may well succeed).
class CatalogFailureTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_f;

    // The error text of statements run in order on the test connection; the last must fail.
    QString failureOf(const QStringList &statements)
    {
        QSqlQuery query(m_f.db().connection());
        for (const QString &sql : statements) {
            if (!query.exec(sql))
                return query.lastError().text();
        }
        return QString();
    }

private Q_SLOTS:
    void init() { QVERIFY(m_f.recreate()); }

    void cleanup()
    {
        // The connection may be written and grow again.
        if (!m_f.isPostgres())
            failureOf({QStringLiteral("PRAGMA query_only = OFF"), QStringLiteral("PRAGMA max_page_count = 1073741823")});
    }

    void theEnginesOwnTextsNameTheCause_data()
    {
        QTest::addColumn<QStringList>("sqlite");
        QTest::addColumn<QStringList>("postgres");
        QTest::addColumn<int>("kind");
        const QString insert = QStringLiteral("INSERT INTO Interpreten (InterpretID, Interpret) VALUES (%1, 'x')");
        QTest::newRow("missing table") << QStringList{QStringLiteral("SELECT ID FROM NoSuchTable")}
                                       << QStringList{QStringLiteral("SELECT ID FROM NoSuchTable")}
                                       << int(KivCatalogFailure::Kind::MissingTable);
        QTest::newRow("read-only") << QStringList{QStringLiteral("PRAGMA query_only = ON"), insert.arg(1)}
                                   << QStringList{QStringLiteral("BEGIN READ ONLY"), insert.arg(1)}
                                   << int(KivCatalogFailure::Kind::ReadOnly);
        // No free page left, and none may be added.
        QTest::newRow("full") << QStringList{QStringLiteral("DROP TABLE IF EXISTS Grow"), QStringLiteral("VACUUM"),
                                             QStringLiteral("PRAGMA max_page_count = 1"),
                                             QStringLiteral("CREATE TABLE Grow (x TEXT)"),
                                             QStringLiteral("INSERT INTO Grow VALUES (hex(randomblob(20000)))")}
                              << QStringList{} << int(KivCatalogFailure::Kind::DiskFull);
        QTest::newRow("a key taken") << QStringList{insert.arg(2), insert.arg(2)}
                                     << QStringList{insert.arg(2), insert.arg(2)} << int(KivCatalogFailure::Kind::None);
    }

    void theEnginesOwnTextsNameTheCause()
    {
        QFETCH(QStringList, sqlite);
        QFETCH(QStringList, postgres);
        QFETCH(int, kind);
        const QStringList statements = m_f.isPostgres() ? postgres : sqlite;
        if (statements.isEmpty())
            QSKIP("the engine has no such limit to reach here");
        const QString text = failureOf(statements);
        QVERIFY2(!text.isEmpty(), "the statement did not fail");
        QVERIFY2(int(KivCatalogFailure::classify(text)) == kind, qPrintable(text));
        QVERIFY(!KivCatalogFailure::isPermanent(KivCatalogFailure::Kind::None));
        failureOf({QStringLiteral("ROLLBACK")});
    }

    // SQLite ends a transaction itself on some failures; its answer to our rollback then is known.
    void aRollbackWithoutTransactionIsRecognised()
    {
        if (m_f.isPostgres())
            QSKIP("PostgreSQL only warns");
        QVERIFY(KivCatalogFailure::isNoActiveTransaction(failureOf({QStringLiteral("ROLLBACK")})));
    }
};

MELVORA_TEST(CatalogFailureTest, CatalogFixture::isolateOdbcIni);

#include "CatalogFailureTest.moc"
