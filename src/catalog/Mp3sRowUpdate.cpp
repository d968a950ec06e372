#include "catalog/Mp3sRowUpdate.h"

#include "catalog/CatalogLog.h"
#include "catalog/Database.h"
#include "catalog/Mp3sColumns.h"
#include "catalog/StatementCache.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace KivMp3sRowUpdate {

Result Run(CKivDatabase &db, qint32 id, const CKivMp3sRow &before, const CKivMp3sRow &after)
{
    QStringList assignments;
    QVariantList values;
    for (const KivMp3sColumns::Integer &c : KivMp3sColumns::Integers) {
        if (before.*c.member != after.*c.member) {
            assignments.append(QLatin1String(c.name) + QLatin1String("=?"));
            values.append(after.*c.member);
        }
    }
    for (const KivMp3sColumns::Text &c : KivMp3sColumns::Texts) {
        // A null and an empty text are the same stored value.
        if (before.*c.member != after.*c.member) {
            const QString &text = after.*c.member;
            assignments.append(QLatin1String(c.name) + QLatin1String("=?"));
            values.append(text.isNull() ? QStringLiteral("") : text);
        }
    }
    if (assignments.isEmpty())
        return Result::Unchanged;

    const QString sql =
        QStringLiteral("UPDATE Mp3s SET ") + assignments.join(QLatin1String(", ")) + QLatin1String(" WHERE ID=?");
    QString failure;
    QSqlQuery *update = KivStatementCache::Prepared(db, sql, &failure);
    if (!update) {
        qCWarning(lcCatalog).noquote() << "Preparing an update of Mp3s failed:" << failure << "--" << sql;
        db.NoteError(failure);
        return Result::Failed;
    }
    for (const QVariant &value : std::as_const(values))
        update->addBindValue(value);
    update->addBindValue(id);
    if (!update->exec()) {
        failure = update->lastError().text();
        qCWarning(lcCatalog).noquote() << "Updating Mp3s failed:" << failure << "--" << sql;
        db.NoteError(failure);
        KivStatementCache::Drop(db, sql);
        return Result::Failed;
    }
    const int affected = update->numRowsAffected();
    update->finish();
    return affected > 0 ? Result::Updated : Result::NoRow;
}

} // namespace KivMp3sRowUpdate
