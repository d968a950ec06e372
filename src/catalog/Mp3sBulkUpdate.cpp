#include "catalog/Mp3sBulkUpdate.h"

#include "catalog/CatalogLog.h"
#include "catalog/Database.h"
#include "catalog/JsonText.h"
#include "catalog/Mp3RowReader.h"
#include "catalog/Mp3sColumns.h"
#include "catalog/Mp3sQuery.h"
#include "catalog/StatementCache.h"

#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

constexpr int IntegerCount = int(std::size(KivMp3sColumns::Integers));
constexpr int TextCount = int(std::size(KivMp3sColumns::Texts));

// The stored rows with these IDs, by ID, read in one query.
bool readStored(CKivDatabase &db, const std::vector<const CKivMp3sRow *> &rows, QHash<qint32, CKivMp3sRow> &stored)
{
    QStringList ids;
    ids.reserve(qsizetype(rows.size()));
    for (const CKivMp3sRow *row : rows)
        ids.append(QString::number(row->m_ID));
    CKivMp3sQuery query;
    query.filter = QStringLiteral("ID IN (") + ids.join(QLatin1Char(',')) + QLatin1Char(')');
    query.sort = QStringLiteral("ID");
    CKivMp3RowReader reader(db, 1024);
    stored.reserve(qsizetype(rows.size()));
    const bool read = reader.Read(query, [&stored](CKivMp3sRow &&row) { stored.insert(row.m_ID, std::move(row)); });
    if (!read) {
        qCWarning(lcCatalog).noquote() << "Reading the rows to update failed:" << reader.lastError();
        if (reader.lastFailedInDatabase())
            db.NoteError(reader.lastError());
    }
    return read;
}

// One element of the JSON array: [ID, every integer column, every text column], a column whose
// value equals the stored one as null. False when no column differs.
bool appendChange(QByteArray &json, const CKivMp3sRow &before, const CKivMp3sRow &after)
{
    QByteArray element;
    element += '[';
    element += QByteArray::number(after.m_ID);
    bool differs = false;
    for (const KivMp3sColumns::Integer &c : KivMp3sColumns::Integers) {
        element += ',';
        if (before.*c.member != after.*c.member) {
            element += QByteArray::number(after.*c.member);
            differs = true;
        } else {
            element += "null";
        }
    }
    for (const KivMp3sColumns::Text &c : KivMp3sColumns::Texts) {
        element += ',';
        // A null and an empty text are the same stored value.
        if (before.*c.member != after.*c.member) {
            KivJsonText::Append(element, after.*c.member);
            differs = true;
        } else {
            element += "null";
        }
    }
    element += ']';
    if (!differs)
        return false;
    json += json.isEmpty() ? '[' : ',';
    json += element;
    return true;
}

// Every column takes its value from the JSON element unless that is null.
QString statementText(CKivSqlDialect::Engine engine)
{
    const bool postgres = engine == CKivSqlDialect::Engine::PostgreSQL;
    QStringList assignments;
    for (int i = 0; i < IntegerCount + TextCount; ++i) {
        const QLatin1String name(i < IntegerCount ? KivMp3sColumns::Integers[i].name
                                                  : KivMp3sColumns::Texts[i - IntegerCount].name);
        const int at = i + 1;
        QString value = postgres ? QStringLiteral("(r ->> %1)").arg(at) : QStringLiteral("json_extract(c.v, '$[%1]')").arg(at);
        if (postgres && i < IntegerCount)
            value += QLatin1String("::integer");
        assignments.append(name + QLatin1String(" = COALESCE(") + value + QLatin1String(", ")
                           + (postgres ? QLatin1String("m.") : QLatin1String("Mp3s.")) + name + QLatin1Char(')'));
    }
    if (postgres)
        return QStringLiteral("UPDATE Mp3s AS m SET ") + assignments.join(QLatin1String(", "))
             + QStringLiteral(" FROM jsonb_array_elements(CAST(? AS jsonb)) AS e(r) WHERE m.ID = (r ->> 0)::integer");
    // Not as a WITH statement: the SQLite driver counts no changed rows for those.
    return QStringLiteral("UPDATE Mp3s SET ") + assignments.join(QLatin1String(", "))
         + QStringLiteral(" FROM (SELECT json_extract(value, '$[0]') AS id, value AS v FROM json_each(?)) AS c"
                          " WHERE Mp3s.ID = c.id");
}

// Runs the update for the JSON array of outcome.written changed rows; Failed when the database
// refused it or it reached fewer rows (another connection deleted one meanwhile).
void execute(CKivDatabase &db, const QByteArray &json, KivMp3sBulkUpdate::Outcome &outcome)
{
    const QString sql = statementText(db.dialect().engine());
    QString error;
    QSqlQuery *update = KivStatementCache::Prepared(db, sql, &error);
    if (update) {
        update->addBindValue(QString::fromLatin1(json));
        if (!update->exec()) {
            error = update->lastError().text();
            KivStatementCache::Drop(db, sql);
            update = nullptr;
        }
    }
    if (!update) {
        qCWarning(lcCatalog).noquote() << "Updating rows of Mp3s failed:" << error << "--" << sql.left(200);
        db.NoteError(error);
        outcome.result = KivMp3sBulkUpdate::Result::Failed;
        return;
    }
    const int affected = update->numRowsAffected();
    update->finish();
    if (affected != outcome.written) {
        // A row is gone: another connection deleted it.
        qCWarning(lcCatalog) << "Updating rows of Mp3s reached" << affected << "of" << outcome.written << "rows";
        outcome.result = KivMp3sBulkUpdate::Result::Failed;
    }
}

} // namespace

namespace KivMp3sBulkUpdate {

Outcome Run(CKivDatabase &db, const std::vector<const CKivMp3sRow *> &rows)
{
    Outcome outcome;
    if (rows.empty())
        return outcome;
    QHash<qint32, CKivMp3sRow> stored;
    if (!readStored(db, rows, stored)) {
        outcome.result = Result::Failed;
        return outcome;
    }
    QByteArray json;
    json.reserve(qsizetype(rows.size()) * 128);
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto it = stored.constFind(rows[i]->m_ID);
        if (it == stored.constEnd())
            outcome.missing.push_back(i);
        else if (appendChange(json, *it, *rows[i]))
            ++outcome.written;
    }
    if (outcome.written == 0)
        return outcome;
    json += ']';
    execute(db, json, outcome);
    return outcome;
}

Outcome RunChanges(CKivDatabase &db, const std::vector<Change> &changes)
{
    Outcome outcome;
    QByteArray json;
    json.reserve(qsizetype(changes.size()) * 128);
    for (const Change &change : changes) {
        if (appendChange(json, *change.before, *change.after))
            ++outcome.written;
    }
    if (outcome.written == 0)
        return outcome;
    json += ']';
    execute(db, json, outcome);
    return outcome;
}

} // namespace KivMp3sBulkUpdate
