#include "catalog/StatementCache.h"

#include "catalog/Database.h"

#include <QHash>
#include <QMutex>
#include <QSqlError>
#include <QSqlQuery>

#include <memory>

namespace {

struct ConnectionStatements
{
    quint64 serial = 0;
    QHash<QString, std::shared_ptr<QSqlQuery>> statements;
};

// Each connection is used on one thread only; the lock guards the map of connections.
QMutex g_lock;
QHash<QString, std::shared_ptr<ConnectionStatements>> g_connections;

std::shared_ptr<ConnectionStatements> statementsOf(const QString &connectionName)
{
    const QMutexLocker locker(&g_lock);
    std::shared_ptr<ConnectionStatements> &entry = g_connections[connectionName];
    if (!entry)
        entry = std::make_shared<ConnectionStatements>();
    return entry;
}

} // namespace

namespace KivStatementCache {

QSqlQuery *Prepared(CKivDatabase &db, const QString &sql, QString *failed)
{
    const QSqlDatabase connection = db.connection();
    const std::shared_ptr<ConnectionStatements> cache = statementsOf(connection.connectionName());
    if (cache->serial != db.connectionSerial()) {
        cache->statements.clear();
        cache->serial = db.connectionSerial();
    }
    if (const auto it = cache->statements.constFind(sql); it != cache->statements.constEnd())
        return it->get();
    auto query = std::make_shared<QSqlQuery>(connection);
    query->setForwardOnly(true);
    if (!query->prepare(sql)) {
        if (failed)
            *failed = query->lastError().text();
        return nullptr;
    }
    if (cache->statements.size() >= MaxStatements)
        cache->statements.clear();
    return cache->statements.insert(sql, std::move(query)).value().get();
}

void Drop(CKivDatabase &db, const QString &sql)
{
    statementsOf(db.connection().connectionName())->statements.remove(sql);
}

void Release(const QString &connectionName)
{
    std::shared_ptr<ConnectionStatements> released;
    {
        const QMutexLocker locker(&g_lock);
        released = g_connections.take(connectionName);
    }
    // The statements end here, outside the lock.
}

} // namespace KivStatementCache
