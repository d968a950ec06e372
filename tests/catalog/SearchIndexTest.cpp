#include "support/TestRegistry.h"

#include "catalog/CatalogIndexes.h"
#include "catalog/CatalogUpgradeOffer.h"
#include "catalog/FullTextSearch.h"
#include "catalog/SqlQuote.h"
#include "support/CatalogFixture.h"
#include "support/RecordingUi.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QtTest>

// The trigram index over the search index: the rows and their order stay those of the LIKE scan for
// every kind of search text, and a catalog of an earlier version gets its indexes by the upgrade.
class SearchIndexTest : public QObject
{
    Q_OBJECT

    CatalogFixture m_fixture;
    RecordingUi m_ui;

    bool exec(const QString &sql)
    {
        QSqlQuery query(m_fixture.db().connection());
        if (query.exec(sql))
            return true;
        qWarning("%s -- %s", qPrintable(query.lastError().text()), qPrintable(sql));
        return false;
    }

    void addRows(const QStringList &texts, int first)
    {
        QSqlQuery insert(m_fixture.db().connection());
        QVERIFY(insert.prepare(QStringLiteral(
            "INSERT INTO Mp3s (Title, SearchIndex, Mediumname, MediumSubPathFilename, ImportID) VALUES (?, ?, 'M', ?, 0)")));
        for (int i = 0; i < texts.size(); ++i) {
            // Titles sort the other way round than the rows were added, so the order is checked too.
            insert.addBindValue(QStringLiteral("T%1").arg(999 - first - i, 4, 10, QLatin1Char('0')));
            insert.addBindValue(texts.at(i));
            insert.addBindValue(QStringLiteral("(M)f%1.mp3").arg(first + i));
            QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
        }
    }

    // The IDs the condition finds, in the order of the lists' sort, as the dialect runs it.
    QList<int> ids(const CKivSqlDialect &dialect, const QString &condition)
    {
        QList<int> found;
        QSqlQuery query(m_fixture.db().connection());
        const QString sql = QStringLiteral("SELECT ID FROM Mp3s WHERE ") + dialect.filterText(condition) +
                            QStringLiteral(" ORDER BY Title");
        if (!query.exec(sql)) {
            qWarning("%s -- %s", qPrintable(query.lastError().text()), qPrintable(sql));
            return {-1};
        }
        while (query.next())
            found << query.value(0).toInt();
        return found;
    }

    static QStringList rowTexts()
    {
        return {QStringLiteral("(M),Abc Größe,"),       QStringLiteral("abcdef"),
                QStringLiteral("ÄBC über"),             QStringLiteral("O'Neil - Rock\\Alt\\"),
                QStringLiteral("Ümlaut ümlaut"),        QStringLiteral("x_y_z%"),
                QStringLiteral("xAyBz"),                QStringLiteral("GRÖSSE"),
                QStringLiteral("grösse"),               QStringLiteral("Lied \U0001F3B5 Lied"),
                QStringLiteral("\U0001F3B5 Lied"),      QStringLiteral("Musik\\Rock\\Lied.mp3"),
                QString(),                              QStringLiteral(""),
                QStringLiteral("a"),                    QStringLiteral("100% Pop"),
                QStringLiteral("Straße der Ärzte"),     QStringLiteral("ab'cd")};
    }

    static QStringList searchTexts()
    {
        return {QStringLiteral("a"),         QStringLiteral("Ä"),         QStringLiteral("ab"),
                QStringLiteral("öß"),        QStringLiteral("abc"),       QStringLiteral("ABC"),
                QStringLiteral("Größe"),     QStringLiteral("grösse"),    QStringLiteral("GRÖSSE"),
                QStringLiteral("größe"),     QStringLiteral("%"),         QStringLiteral("_"),
                QStringLiteral("a%c"),       QStringLiteral("x_y"),       QStringLiteral("%ab%"),
                QStringLiteral("'"),         QStringLiteral("O'Neil"),    QStringLiteral("b'c"),
                QStringLiteral("\\"),        QStringLiteral("Rock\\Alt"), QStringLiteral("k\\A"),
                QStringLiteral("ümlaut"),    QStringLiteral("ÜMLAUT"),    QStringLiteral("nicht da"),
                QStringLiteral("\U0001F3B5 Lied"), QStringLiteral("00% P"), QStringLiteral("ärzte"),
                QStringLiteral("Ärzte"),     QStringLiteral("abcd"),      QStringLiteral("_y_z%"),
                QStringLiteral(""),          QStringLiteral("   ")};
    }

    // Every search text finds with the index what the scan finds, as the search field and the
    // document's search write the condition.
    void compareAllSearches(const char *stage)
    {
        CKivSqlDialect scan = m_fixture.db().dialect();
        scan.setFullTextIndex(false);
        const CKivSqlDialect &indexed = m_fixture.db().dialect();
        int narrowed = 0;
        int withHits = 0;
        for (const QString &text : searchTexts()) {
            const QString like = QStringLiteral("SearchIndex LIKE '%") + SqlQuote(text) + QStringLiteral("%'");
            for (const QString &condition : {QLatin1Char('(') + like + QLatin1Char(')'),
                                             like + QStringLiteral(" AND ImportID=0 AND Mediumname='M'")}) {
                const QList<int> expected = ids(scan, condition);
                QVERIFY2(expected != QList<int>{-1}, qPrintable(condition));
                QVERIFY2(ids(indexed, condition) == expected,
                         qPrintable(QStringLiteral("%1: %2").arg(QLatin1String(stage), condition)));
                narrowed += indexed.filterText(condition).contains(KivFullTextSearch::TableName()) ? 1 : 0;
                withHits += expected.isEmpty() ? 0 : 1;
            }
        }
        QVERIFY(withHits > 20);
        // On SQLite with the index, every text of three characters or more goes through it.
        if (!m_fixture.isPostgres() && indexed.hasFullTextIndex())
            QVERIFY(narrowed >= 30);
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_fixture.recreate());
        m_ui.clear();
    }

    void narrowsOnlyPlainSearchIndexPatterns_data()
    {
        QTest::addColumn<QString>("condition");
        QTest::addColumn<bool>("narrowed");
        QTest::newRow("search field") << QStringLiteral("(SearchIndex LIKE '%abc%')") << true;
        QTest::newRow("document search") << QStringLiteral("SearchIndex LIKE '%abc%' AND ImportID=0") << true;
        QTest::newRow("two characters") << QStringLiteral("SearchIndex LIKE '%ab%'") << false;
        QTest::newRow("wildcards split the run") << QStringLiteral("SearchIndex LIKE '%ab_cd%'") << false;
        QTest::newRow("doubled quote is one character") << QStringLiteral("SearchIndex LIKE '%a''%'") << false;
        QTest::newRow("quote inside a run") << QStringLiteral("SearchIndex LIKE '%a''b%'") << true;
        QTest::newRow("negated") << QStringLiteral("NOT (SearchIndex LIKE '%abc%')") << false;
        QTest::newRow("another column") << QStringLiteral("Title LIKE '%abc%'") << false;
        QTest::newRow("qualified") << QStringLiteral("x.SearchIndex LIKE '%abc%'") << false;
        QTest::newRow("inside a text") << QStringLiteral("Title='SearchIndex LIKE ''%abc%'''") << false;
        QTest::newRow("not a literal") << QStringLiteral("SearchIndex LIKE Title") << false;
        QTest::newRow("equality") << QStringLiteral("SearchIndex='abcdef'") << false;
        QTest::newRow("unterminated") << QStringLiteral("SearchIndex LIKE '%abc") << false;
    }

    void narrowsOnlyPlainSearchIndexPatterns()
    {
        QFETCH(QString, condition);
        QFETCH(bool, narrowed);
        const QString text = KivFullTextSearch::NarrowCondition(condition);
        QCOMPARE(text.contains(KivFullTextSearch::TableName()), narrowed);
        if (!narrowed)
            QCOMPARE(text, condition);
    }

    void indexAndScanFindTheSameRows()
    {
        addRows(rowTexts(), 0);
        if (!m_fixture.isPostgres())
            QVERIFY(m_fixture.db().dialect().hasFullTextIndex());
        compareAllSearches("new catalog");
        // The triggers follow updates and deletions.
        QVERIFY(exec(QStringLiteral("UPDATE Mp3s SET SearchIndex = 'neu abc' WHERE SearchIndex = 'abcdef'")));
        QVERIFY(exec(QStringLiteral("UPDATE Mp3s SET Title = 'T0000' WHERE SearchIndex = 'xAyBz'")));
        QVERIFY(exec(QStringLiteral("DELETE FROM Mp3s WHERE SearchIndex = 'grösse'")));
        QVERIFY(exec(QStringLiteral("UPDATE Mp3s SET SearchIndex = NULL WHERE SearchIndex = 'GRÖSSE'")));
        compareAllSearches("changed rows");
    }

    void dropNewIndexes()
    {
        // A catalog of an earlier version: no full-text index, no trigram index.
        if (m_fixture.isPostgres()) {
            QVERIFY(exec(QStringLiteral("DROP INDEX Mp3s_SearchIndex_trgm")));
        } else {
            for (const QString &name : KivFullTextSearch::ObjectNames().mid(1))
                QVERIFY(exec(QStringLiteral("DROP TRIGGER ") + name));
            QVERIFY(exec(QStringLiteral("DROP TABLE ") + KivFullTextSearch::TableName()));
        }
        m_fixture.db().RedetectDialect();
    }

    // At login the user is asked; on No nothing changes, on Yes the indexes are made while a window
    // says he has to wait, and the next login asks no more.
    void loginOffersTheUpgrade()
    {
        dropNewIndexes();
        addRows(rowTexts(), 0);
        CKivDatabase &db = m_fixture.db();
        QSqlDatabase connection = db.connection();
        m_ui.answers = {KivAnswer::No};
        QVERIFY(!KivCatalogUpgradeOffer::Run(db));
        QCOMPARE(m_ui.count(QStringLiteral("Katalog aktualisieren")), 1);
        QVERIFY(m_ui.busyWindows().isEmpty());
        QVERIFY(!CKivCatalogIndexes::MissingNames(CKivCatalogIndexes::Run(connection, db.dialect().engine())).isEmpty());

        m_ui.answers = {KivAnswer::Yes};
        QVERIFY(KivCatalogUpgradeOffer::Run(db));
        QCOMPARE(m_ui.count(QStringLiteral("Katalog aktualisieren")), 2);
        QCOMPARE(m_ui.busyWindows(),
                 QStringList{QStringLiteral("Katalog aktualisieren: Der Katalog wird aktualisiert. Das kann einige "
                                            "Minuten dauern, bitte warten ...")});
        QVERIFY(CKivCatalogIndexes::MissingNames(CKivCatalogIndexes::Run(connection, db.dialect().engine())).isEmpty());
        QCOMPARE(db.dialect().hasFullTextIndex(), !m_fixture.isPostgres());
        compareAllSearches("upgraded at login");

        QVERIFY(KivCatalogUpgradeOffer::Run(db));
        QCOMPARE(m_ui.messages().size(), 2);
    }

    void upgradeAddsTheIndexesOfAnOldCatalog()
    {
        const bool postgres = m_fixture.isPostgres();
        dropNewIndexes();
        addRows(rowTexts(), 0);
        CKivDatabase &db = m_fixture.db();
        QVERIFY(!db.dialect().hasFullTextIndex());
        QSqlDatabase connection = db.connection();
        const QStringList expectedMissing = postgres ? QStringList{QStringLiteral("Mp3s_SearchIndex_trgm")}
                                                     : KivFullTextSearch::ObjectNames();
        QCOMPARE(CKivCatalogIndexes::MissingNames(CKivCatalogIndexes::Run(connection, db.dialect().engine())),
                 expectedMissing);
        compareAllSearches("old catalog");

        QStringList created;
        QString error;
        QVERIFY2(CKivCatalogIndexes::Upgrade(connection, db.dialect().engine(), &created, &error), qPrintable(error));
        QCOMPARE(created, expectedMissing);
        QVERIFY(CKivCatalogIndexes::MissingNames(CKivCatalogIndexes::Run(connection, db.dialect().engine())).isEmpty());
        db.RedetectDialect();
        QCOMPARE(db.dialect().hasFullTextIndex(), !postgres);
        // The rows stored before the upgrade are in the new index, and so are those after it.
        addRows({QStringLiteral("nach dem Upgrade abc"), QStringLiteral("Größe danach")}, 100);
        compareAllSearches("upgraded catalog");
        // A second upgrade has nothing to do.
        QVERIFY(CKivCatalogIndexes::Upgrade(connection, db.dialect().engine(), &created, &error));
        QVERIFY(created.isEmpty());
    }
};

MELVORA_TEST(SearchIndexTest);

#include "SearchIndexTest.moc"
