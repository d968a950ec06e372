#include "support/TestRegistry.h"

#include "catalog/SqlDialect.h"
#include "catalog/SqlQuote.h"

#include <QtTest>

// Filter-text helpers that need no database: quoting and the PostgreSQL LIKE rewrite.
class DialectTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void postgresRewritesLike_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("prefix without blank")
            << QStringLiteral("Mediumname='M' AND SubPath LIKE'Rock\\%'")
            << QStringLiteral("Mediumname='M' AND SubPath ILIKE'Rock\\%' ESCAPE ''");
        QTest::newRow("any case, NOT LIKE")
            << QStringLiteral("Title like '%a%' AND Artist NOT Like '%b%'")
            << QStringLiteral("Title ILIKE '%a%' ESCAPE '' AND Artist NOT ILIKE '%b%' ESCAPE ''");
        QTest::newRow("inside quotes untouched")
            << QStringLiteral("Title='x LIKE y' AND Album LIKE 'a''LIKE''b'")
            << QStringLiteral("Title='x LIKE y' AND Album ILIKE 'a''LIKE''b' ESCAPE ''");
        QTest::newRow("whole words only") << QStringLiteral("UNLIKE=1 AND LIKELY=2 AND LIKE_X=3")
                                          << QStringLiteral("UNLIKE=1 AND LIKELY=2 AND LIKE_X=3");
        QTest::newRow("own escape kept") << QStringLiteral("Title LIKE '%a!%%' ESCAPE '!'")
                                         << QStringLiteral("Title ILIKE '%a!%%' ESCAPE '!'");
        QTest::newRow("pattern not a literal")
            << QStringLiteral("Title LIKE Artist") << QStringLiteral("Title ILIKE Artist");
        QTest::newRow("unterminated quote") << QStringLiteral("Title='LIKE") << QStringLiteral("Title='LIKE");
    }

    void postgresRewritesLike()
    {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(CKivSqlDialect(CKivSqlDialect::Engine::PostgreSQL).filterText(filter), expected);
        QCOMPARE(CKivSqlDialect(CKivSqlDialect::Engine::SQLite).filterText(filter), filter);
    }

    void sqliteSpellsWideCharactersWithChar_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain text untouched") << QStringLiteral("Title='\u00C4rger' AND SubPath LIKE '%a%'")
                                              << QStringLiteral("Title='\u00C4rger' AND SubPath LIKE '%a%'");
        QTest::newRow("note in a name") << QStringLiteral("Mediumname='M\U0001F3B5x' AND ID=1")
                                        << QStringLiteral("Mediumname=('M' || char(127925) || 'x') AND ID=1");
        QTest::newRow("only the character") << QStringLiteral("SubPath='\U0001D11E'")
                                            << QStringLiteral("SubPath=(char(119070))");
        QTest::newRow("pattern with quotes") << QStringLiteral("Title LIKE '%a''\U0001D11E%'")
                                             << QStringLiteral("Title LIKE ('%a''' || char(119070) || '%')");
        QTest::newRow("unterminated quote kept") << QStringLiteral("Title='\U0001D11E")
                                                 << QStringLiteral("Title='\U0001D11E");
    }

    void sqliteSpellsWideCharactersWithChar()
    {
        QFETCH(QString, filter);
        QFETCH(QString, expected);
        QCOMPARE(CKivSqlDialect(CKivSqlDialect::Engine::SQLite).filterText(filter), expected);
    }

    void quoteDoublesOnlySingleQuotes()
    {
        QCOMPARE(SqlQuote(QStringLiteral("Rock'n'Roll\\")), QStringLiteral("Rock''n''Roll\\"));
        QCOMPARE(SqlQuote(QStringLiteral("''")), QStringLiteral("''''"));
        QCOMPARE(SqlQuote(QStringLiteral("100%_*?\"\\")), QStringLiteral("100%_*?\"\\"));
    }
};

MELVORA_TEST(DialectTest);

#include "DialectTest.moc"
