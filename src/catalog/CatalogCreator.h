#pragma once

#include "catalog/SqlDialect.h"

#include <QString>
#include <QStringList>

#include <functional>

class QSqlDatabase;

// Creates a new, empty catalog from the schema scripts: a SQLite file, or the tables in the
// database an existing data source names (SQLite or PostgreSQL). Used by Setup, the command-line
// tool and the test fixtures; the program itself never creates tables.
class CKivCatalogCreator
{
public:
    // A new SQLite catalog file, created through the SQLite3 ODBC driver. Refuses an existing file
    // that is not empty.
    bool CreateSqliteFile(const QString &path);

    // The catalog in the database the data source names; a SQLite data source's missing file is
    // created. With replaceExisting the catalog tables there are dropped first (all their rows are
    // lost); without it, a database that already holds one of them is left unchanged (held()).
    bool CreateForDataSource(const QString &dsn, bool replaceExisting = false);

    // The catalog tables and indexes on an open connection, in one transaction.
    bool CreateTables(QSqlDatabase &db, bool replaceExisting);

    QString lastError() const { return m_lastError; }
    // Whether the last creation was refused because the database already holds a catalog, or a part.
    enum class Held { None, Complete, Partial };
    Held held() const { return m_held; }

    static QStringList TableNames();
    static QString SchemaScript(CKivSqlDialect::Engine engine);
    // The statements of a script: full-line "--" comments dropped, split at a ";" ending a line (a
    // trigger at its line "END;").
    static QStringList SplitStatements(const QString &script);

private:
    bool withConnection(const QString &odbcName, const std::function<bool(QSqlDatabase &)> &work);
    bool fail(const QString &message);

    QString m_lastError;
    Held m_held = Held::None;
};
