#pragma once

#include <QString>

class CKivDatabase;
class QSqlQuery;

// The prepared statements of each catalog connection, by their text: each is prepared once and then
// reused by every record set and writer on that connection (a statement prepared per row costs the
// driver a parse, and on PostgreSQL a round trip). Statements of an earlier connection are dropped
// when the connection serial changes; the database releases its statements before it closes.
//
// A statement handed out is run to its end (executed, read, finished) before the next call on the
// same connection: none stays active across calls of another user of the cache.
namespace KivStatementCache {

// The statement for sql prepared on db's connection; null when the driver refuses it (the query's
// error is then in *failed, when given).
QSqlQuery *Prepared(CKivDatabase &db, const QString &sql, QString *failed = nullptr);
// Forgets one statement (after it failed: the next use prepares it anew).
void Drop(CKivDatabase &db, const QString &sql);
// Forgets every statement of the named connection.
void Release(const QString &connectionName);

// More statements than this are not kept for one connection: its cache starts afresh.
constexpr int MaxStatements = 256;

} // namespace KivStatementCache
