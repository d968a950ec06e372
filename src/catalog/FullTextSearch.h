#pragma once

#include <QString>
#include <QStringList>

class QSqlDatabase;

// The trigram full-text index of a SQLite catalog over Mp3s.SearchIndex: an FTS5 table that
// triggers keep in step with the rows. It answers substring searches without reading every row;
// a catalog without it is searched by scanning, with the same results.
namespace KivFullTextSearch {

// The FTS5 table and the triggers that fill it.
QString TableName();
QStringList ObjectNames();

// Whether the connected SQLite catalog has the table and all its triggers (a table whose
// triggers are missing may be stale, and is not used).
bool IsPresent(const QSqlDatabase &db);

// The statement that fills the table anew from the rows.
QString RebuildStatement();

// The condition with every "SearchIndex LIKE 'pattern'" whose pattern holds at least three
// characters in a row without wildcards also narrowed by the index. The LIKE stays, so the rows
// and their order are exactly those of the condition; shorter patterns, which the trigram index
// cannot serve, are left to the scan. A condition holding NOT is left as it is (the index never
// holds rows without a search index, which NOT would turn into hits).
QString NarrowCondition(const QString &condition);

// The longest run of characters without "%" or "_" in a LIKE pattern (quotes not included).
int LongestLiteralRun(QStringView pattern);

} // namespace KivFullTextSearch
