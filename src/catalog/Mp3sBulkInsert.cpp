#include "catalog/Mp3sBulkInsert.h"

#include "catalog/CatalogLog.h"
#include "catalog/Database.h"
#include "catalog/JsonText.h"
#include "catalog/Mp3sColumns.h"
#include "catalog/StatementCache.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace {

constexpr int IntegerCount = int(std::size(KivMp3sColumns::Integers));
constexpr int TextCount = int(std::size(KivMp3sColumns::Texts));

// The rows as a JSON array of arrays: the integer columns, then the text columns.
QByteArray rowsAsJson(const std::vector<const CKivMp3sRow *> &rows)
{
    QByteArray json;
    json.reserve(qsizetype(rows.size()) * 512);
    json += '[';
    for (size_t r = 0; r < rows.size(); ++r) {
        const CKivMp3sRow &row = *rows[r];
        if (r > 0)
            json += ',';
        json += '[';
        for (const KivMp3sColumns::Integer &c : KivMp3sColumns::Integers) {
            json += QByteArray::number(row.*c.member);
            json += ',';
        }
        for (int t = 0; t < TextCount; ++t) {
            if (t > 0)
                json += ',';
            KivJsonText::Append(json, row.*KivMp3sColumns::Texts[t].member);
        }
        json += ']';
    }
    json += ']';
    return json;
}

QString columnList()
{
    QStringList names{QStringLiteral("Anlegedatum")};
    for (const KivMp3sColumns::Integer &c : KivMp3sColumns::Integers)
        names.append(QLatin1String(c.name));
    for (const KivMp3sColumns::Text &c : KivMp3sColumns::Texts)
        names.append(QLatin1String(c.name));
    return names.join(QLatin1String(", "));
}

// The statement for the engine: one row per element of the JSON array in the second parameter,
// the creation date from the first.
QString statementText(CKivSqlDialect::Engine engine)
{
    QStringList values;
    const bool postgres = engine == CKivSqlDialect::Engine::PostgreSQL;
    for (int i = 0; i < IntegerCount + TextCount; ++i) {
        if (postgres)
            values.append(QStringLiteral("(r ->> %1)%2").arg(i).arg(i < IntegerCount ? QStringLiteral("::integer") : QString()));
        else
            values.append(QStringLiteral("json_extract(v, '$[%1]')").arg(i));
    }
    QString sql = QStringLiteral("INSERT INTO Mp3s (") + columnList() + QStringLiteral(") SELECT ");
    if (postgres) {
        sql += QStringLiteral("CAST(? AS timestamp), ") + values.join(QLatin1String(", "))
             + QStringLiteral(" FROM jsonb_array_elements(CAST(? AS jsonb)) WITH ORDINALITY AS e(r, n) ORDER BY n"
                              " RETURNING ID, MediumSubPathFilename");
    } else {
        // Each row's array is taken out of the document once; reading its values from that copy is
        // many times faster than from the document each time.
        sql = QStringLiteral("WITH r AS MATERIALIZED (SELECT key AS k, value AS v FROM json_each(?)) ") + sql
            + QStringLiteral("?, ") + values.join(QLatin1String(", ")) + QStringLiteral(" FROM r ORDER BY k");
    }
    return sql;
}

bool fail(CKivDatabase &db, const QString &what, const QString &error, const QString &sql)
{
    qCWarning(lcCatalog).noquote() << "Adding rows to Mp3s failed:" << what << error << "--" << sql.left(200);
    db.NoteError(error);
    return false;
}

// The IDs of the rows just added, found by their keys among the rows the query yields.
bool takeIds(QSqlQuery &query, const std::vector<const CKivMp3sRow *> &rows, std::vector<qint32> &ids)
{
    QHash<QString, qint32> byKey;
    byKey.reserve(qsizetype(rows.size()));
    while (query.next())
        byKey.insert(query.value(1).toString(), query.value(0).toInt());
    query.finish();
    ids.clear();
    ids.reserve(rows.size());
    for (const CKivMp3sRow *row : rows) {
        const auto it = byKey.constFind(row->m_MediumSubPathFilename);
        if (it == byKey.constEnd())
            return false;
        ids.push_back(*it);
    }
    return true;
}

} // namespace

namespace KivMp3sBulkInsert {

bool Run(CKivDatabase &db, const std::vector<const CKivMp3sRow *> &rows, const QDateTime &created,
         std::vector<qint32> &ids)
{
    ids.clear();
    if (rows.empty())
        return true;
    const CKivSqlDialect::Engine engine = db.dialect().engine();
    const QString sql = statementText(engine);
    QString error;
    QSqlQuery *insert = KivStatementCache::Prepared(db, sql, &error);
    if (!insert)
        return fail(db, QStringLiteral("preparing:"), error, sql);
    const QString json = QString::fromLatin1(rowsAsJson(rows));
    // The placeholders in the order the statement holds them.
    if (engine == CKivSqlDialect::Engine::PostgreSQL) {
        insert->addBindValue(created);
        insert->addBindValue(json);
    } else {
        insert->addBindValue(json);
        insert->addBindValue(created);
    }
    if (!insert->exec()) {
        error = insert->lastError().text();
        KivStatementCache::Drop(db, sql);
        return fail(db, QStringLiteral("inserting:"), error, sql);
    }
    if (engine == CKivSqlDialect::Engine::PostgreSQL) {
        if (!takeIds(*insert, rows, ids))
            return fail(db, QStringLiteral("reading the new IDs:"), QStringLiteral("rows missing"), sql);
        return true;
    }
    insert->finish();
    // SQLite numbers the rows of one statement one after the other; they are read back by key
    // all the same, so that a row is never given another row's ID.
    QSqlQuery *last = KivStatementCache::Prepared(db, db.dialect().lastInsertIdQuery(), &error);
    if (!last || !last->exec() || !last->next())
        return fail(db, QStringLiteral("reading the last ID:"), last ? last->lastError().text() : error, sql);
    const qint64 lastId = last->value(0).toLongLong();
    last->finish();
    const QString range = QStringLiteral("SELECT ID, MediumSubPathFilename FROM Mp3s WHERE ID BETWEEN ? AND ?");
    QSqlQuery *added = KivStatementCache::Prepared(db, range, &error);
    if (!added)
        return fail(db, QStringLiteral("reading the new IDs:"), error, range);
    added->addBindValue(lastId - qint64(rows.size()) + 1);
    added->addBindValue(lastId);
    if (!added->exec())
        return fail(db, QStringLiteral("reading the new IDs:"), added->lastError().text(), range);
    if (!takeIds(*added, rows, ids))
        return fail(db, QStringLiteral("reading the new IDs:"), QStringLiteral("rows missing"), range);
    return true;
}

} // namespace KivMp3sBulkInsert
