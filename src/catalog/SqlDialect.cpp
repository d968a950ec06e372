#include "catalog/SqlDialect.h"

#include "catalog/FullTextSearch.h"
#include "catalog/SqlTextScan.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlQuery>

namespace {

using KivSqlTextScan::IsWordChar;
using KivSqlTextScan::SkipSpaces;

// Index just past the quoted text that starts at start; the text's end when it is not closed.
qsizetype endOfQuoted(const QString &text, qsizetype start)
{
    const qsizetype end = KivSqlTextScan::EndOfQuoted(text, start);
    return end < 0 ? text.size() : end;
}

bool wordAt(const QString &text, qsizetype i, QLatin1String word)
{
    if (i + word.size() > text.size() ||
        QStringView(text).mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    const qsizetype end = i + word.size();
    return end == text.size() || !IsWordChar(text.at(end));
}

// The quoted text from start to end (quotes included) with every character outside the Basic
// Multilingual Plane taken out as char(code): ('ab' || char(127925) || 'c').
QString spliceWideCharacters(QStringView quoted)
{
    const QStringView inner = quoted.mid(1, quoted.size() - 2);
    QStringList parts;
    QString run;
    for (qsizetype i = 0; i < inner.size(); ++i) {
        const QChar c = inner.at(i);
        if (c.isHighSurrogate() && i + 1 < inner.size() && inner.at(i + 1).isLowSurrogate()) {
            if (!run.isEmpty())
                parts << QLatin1Char('\'') + run + QLatin1Char('\'');
            run.clear();
            parts << QStringLiteral("char(%1)").arg(uint(QChar::surrogateToUcs4(c, inner.at(i + 1))));
            ++i;
        } else {
            run += c;
        }
    }
    if (!run.isEmpty())
        parts << QLatin1Char('\'') + run + QLatin1Char('\'');
    return QLatin1Char('(') + parts.join(QLatin1String(" || ")) + QLatin1Char(')');
}

} // namespace

QString CKivSqlDialect::sqliteLiterals(const QString &filter)
{
    // The SQLite driver turns the statement text into UTF-8 one UTF-16 unit at a time, so a
    // character outside the Basic Multilingual Plane would reach the database as two broken ones and
    // a lookup for a stored name would miss. Such characters go in as char() values instead.
    bool wide = false;
    for (const QChar c : filter)
        wide = wide || c.isSurrogate();
    if (!wide)
        return filter;
    QString out;
    out.reserve(filter.size() + 32);
    qsizetype i = 0;
    while (i < filter.size()) {
        if (filter.at(i) != QLatin1Char('\'')) {
            out += filter.at(i++);
            continue;
        }
        const qsizetype end = endOfQuoted(filter, i);
        const QStringView quoted = QStringView(filter).mid(i, end - i);
        bool hasWide = false;
        for (const QChar c : quoted)
            hasWide = hasWide || c.isSurrogate();
        if (hasWide && quoted.size() >= 2 && quoted.back() == QLatin1Char('\''))
            out += spliceWideCharacters(quoted);
        else
            out += quoted;
        i = end;
    }
    return out;
}

std::optional<CKivSqlDialect> CKivSqlDialect::detect(const QSqlDatabase &db)
{
    if (!db.isOpen())
        return std::nullopt;
    if (db.driver()->dbmsType() == QSqlDriver::PostgreSQL)
        return CKivSqlDialect(Engine::PostgreSQL);
    // Qt's ODBC driver does not name SQLite; asking for its version tells.
    QSqlQuery probe(db);
    if (probe.exec(QStringLiteral("SELECT sqlite_version()")) && probe.next()) {
        probe.finish();
        CKivSqlDialect sqlite(Engine::SQLite);
        sqlite.setFullTextIndex(KivFullTextSearch::IsPresent(db));
        return sqlite;
    }
    return std::nullopt;
}

QString CKivSqlDialect::engineName() const
{
    return m_engine == Engine::PostgreSQL ? QStringLiteral("PostgreSQL") : QStringLiteral("SQLite");
}

QString CKivSqlDialect::filterText(const QString &filter) const
{
    if (m_engine != Engine::PostgreSQL)
        return sqliteLiterals(m_fullTextIndex ? KivFullTextSearch::NarrowCondition(filter) : filter);

    QString out;
    out.reserve(filter.size() + 16);
    qsizetype i = 0;
    while (i < filter.size()) {
        const QChar c = filter.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = endOfQuoted(filter, i);
            out += QStringView(filter).mid(i, end - i);
            i = end;
            continue;
        }
        if (!IsWordChar(c)) {
            out += c;
            ++i;
            continue;
        }
        const qsizetype end = KivSqlTextScan::WordEnd(filter, i);
        const QStringView word = QStringView(filter).mid(i, end - i);
        const bool like = word.compare(QLatin1String("LIKE"), Qt::CaseInsensitive) == 0;
        const bool ilike = word.compare(QLatin1String("ILIKE"), Qt::CaseInsensitive) == 0;
        out += like ? QStringLiteral("ILIKE") : word.toString();
        i = end;
        if (!like && !ilike)
            continue;
        // A quoted pattern right after the keyword: copy it and switch the backslash escape off.
        const qsizetype patternStart = SkipSpaces(filter, i);
        if (patternStart < filter.size() && filter.at(patternStart) == QLatin1Char('\'')) {
            const qsizetype patternEnd = endOfQuoted(filter, patternStart);
            out += QStringView(filter).mid(i, patternEnd - i);
            i = patternEnd;
            if (!wordAt(filter, SkipSpaces(filter, i), QLatin1String("ESCAPE")))
                out += QLatin1String(" ESCAPE ''");
        }
    }
    return out;
}

QString CKivSqlDialect::insertStatement(const QString &table, const QStringList &columns,
                                        const QString &keyColumn) const
{
    QString sql = QStringLiteral("INSERT INTO ") + table;
    if (columns.isEmpty()) {
        sql += QLatin1String(" DEFAULT VALUES");
    } else {
        QStringList marks;
        marks.fill(QStringLiteral("?"), columns.size());
        sql += QLatin1String(" (") + columns.join(QLatin1String(", ")) + QLatin1String(") VALUES (") +
               marks.join(QLatin1String(", ")) + QLatin1Char(')');
    }
    if (insertReturnsKey())
        sql += QLatin1String(" RETURNING ") + keyColumn;
    return sql;
}

QString CKivSqlDialect::lastInsertIdQuery() const
{
    return QStringLiteral("SELECT last_insert_rowid()");
}
