#include "catalog/FullTextSearch.h"

#include "catalog/SqlTextScan.h"

#include <QSqlQuery>

namespace {

using KivSqlTextScan::IsWordChar;
using KivSqlTextScan::SkipSpaces;
using KivSqlTextScan::EndOfQuoted;
using KivSqlTextScan::WordEnd;

bool wordIs(QStringView word, const char *name)
{
    return word.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

// Whether the unquoted part of the condition holds the keyword NOT or ESCAPE.
bool holdsKeywordToAvoid(const QString &condition)
{
    qsizetype i = 0;
    while (i < condition.size()) {
        const QChar c = condition.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = EndOfQuoted(condition, i);
            if (end < 0)
                return true;
            i = end;
            continue;
        }
        if (!IsWordChar(c)) {
            ++i;
            continue;
        }
        const qsizetype end = WordEnd(condition, i);
        const QStringView word = QStringView(condition).mid(i, end - i);
        if (wordIs(word, "NOT") || wordIs(word, "ESCAPE"))
            return true;
        i = end;
    }
    return false;
}

} // namespace

namespace KivFullTextSearch {

QString TableName()
{
    return QStringLiteral("Mp3s_SearchIndex_fts");
}

QStringList ObjectNames()
{
    const QString table = TableName();
    return {table, table + QLatin1String("_insert"), table + QLatin1String("_delete"),
            table + QLatin1String("_update")};
}

bool IsPresent(const QSqlDatabase &db)
{
    const QStringList names = ObjectNames();
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name IN ('") +
                    names.join(QLatin1String("', '")) + QLatin1String("')")) ||
        !query.next())
        return false;
    return query.value(0).toInt() == names.size();
}

QString RebuildStatement()
{
    return QStringLiteral("INSERT INTO %1 (%1) VALUES ('rebuild')").arg(TableName());
}

int LongestLiteralRun(QStringView pattern)
{
    int longest = 0;
    int run = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('%') || c == QLatin1Char('_')) {
            run = 0;
            continue;
        }
        // A character outside the Basic Multilingual Plane is one character of two units.
        if (c.isLowSurrogate() && i > 0 && pattern.at(i - 1).isHighSurrogate())
            continue;
        longest = qMax(longest, ++run);
    }
    return longest;
}

QString NarrowCondition(const QString &condition)
{
    if (!condition.contains(QLatin1String("SearchIndex"), Qt::CaseInsensitive) || holdsKeywordToAvoid(condition))
        return condition;
    QString out;
    out.reserve(condition.size() * 2 + 64);
    qsizetype i = 0;
    while (i < condition.size()) {
        const QChar c = condition.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype end = EndOfQuoted(condition, i);
            if (end < 0)
                return condition;
            out += QStringView(condition).mid(i, end - i);
            i = end;
            continue;
        }
        if (!IsWordChar(c)) {
            out += c;
            ++i;
            continue;
        }
        const qsizetype end = WordEnd(condition, i);
        const QStringView word = QStringView(condition).mid(i, end - i);
        // A column of another table ("x.SearchIndex") is not this one.
        const bool qualified = i > 0 && condition.at(i - 1) == QLatin1Char('.');
        if (!wordIs(word, "SearchIndex") || qualified) {
            out += word;
            i = end;
            continue;
        }
        // SearchIndex LIKE 'pattern'
        const qsizetype likeStart = SkipSpaces(condition, end);
        const qsizetype likeEnd = WordEnd(condition, likeStart);
        const qsizetype patternStart = SkipSpaces(condition, likeEnd);
        if (!wordIs(QStringView(condition).mid(likeStart, likeEnd - likeStart), "LIKE") ||
            patternStart >= condition.size() || condition.at(patternStart) != QLatin1Char('\'')) {
            out += word;
            i = end;
            continue;
        }
        const qsizetype patternEnd = EndOfQuoted(condition, patternStart);
        if (patternEnd < 0)
            return condition;
        const QString quoted = condition.mid(patternStart, patternEnd - patternStart);
        QString pattern = quoted.mid(1, quoted.size() - 2);
        pattern.replace(QLatin1String("''"), QLatin1String("'"));
        const QString like = condition.mid(i, patternEnd - i);
        if (LongestLiteralRun(pattern) < 3) {
            out += like;
        } else {
            out += QStringLiteral("(%1 AND ID IN (SELECT rowid FROM %2 WHERE SearchIndex LIKE %3))")
                       .arg(like, TableName(), quoted);
        }
        i = patternEnd;
    }
    return out;
}

} // namespace KivFullTextSearch
