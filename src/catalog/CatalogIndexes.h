#pragma once

#include "catalog/SqlDialect.h"

#include <QList>
#include <QString>
#include <QStringList>

class QSqlDatabase;

// The indexes of a catalog beside its tables: every index, trigger and full-text table the schema
// script creates. A catalog made by an earlier version may lack some; it works without them, only
// slower, and Upgrade adds them.
class CKivCatalogIndexes
{
public:
    struct Index
    {
        QString name;
        QString statement;
        bool present = false;
    };

    // One entry per index, trigger and full-text table of the schema, in script order.
    static QList<Index> Run(const QSqlDatabase &db, CKivSqlDialect::Engine engine);
    static QStringList MissingNames(const QList<Index> &indexes);

    // Creates the missing ones in one transaction, filling a new full-text index from the rows
    // (minutes for a million rows); created gets their names. False, with the reason, when the
    // database refuses one; the catalog then stays as it was.
    static bool Upgrade(QSqlDatabase &db, CKivSqlDialect::Engine engine, QStringList *created, QString *error);

    // The name a CREATE INDEX, CREATE TRIGGER or CREATE VIRTUAL TABLE statement gives; empty for
    // any other statement.
    static QString CreatedName(const QString &statement);
};
