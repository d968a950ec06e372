#include "catalog/CatalogCheck.h"

#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "catalog/RsCDs.h"
#include "catalog/RsFolder.h"
#include "catalog/RsImport.h"
#include "catalog/RsInterpreten.h"
#include "catalog/RsMedienNamen.h"
#include "catalog/RsMedienUser.h"
#include "catalog/RsMp3s.h"

#include <QSqlQuery>
#include <QSqlRecord>

#include <memory>
#include <vector>

bool CKivCatalogCheck::Table::complete() const
{
    if (!present)
        return false;
    for (const Column &c : columns) {
        if (!c.present)
            return false;
    }
    return true;
}

QList<CKivCatalogCheck::Table> CKivCatalogCheck::Run(CKivDatabase &db)
{
    QList<Table> result;
    if (!db.IsOpen())
        return result;
    std::vector<std::unique_ptr<CKivRecordset>> sets;
    sets.push_back(std::make_unique<CRsBenutzer>(db));
    sets.push_back(std::make_unique<CRsMedienNamen>(db));
    sets.push_back(std::make_unique<CRsMedienUser>(db));
    sets.push_back(std::make_unique<CRsCDs>(db));
    sets.push_back(std::make_unique<CRsFolder>(db));
    sets.push_back(std::make_unique<CRsMp3s>(db));
    sets.push_back(std::make_unique<CRsImport>(db));
    sets.push_back(std::make_unique<CRsInterpreten>(db));

    for (const auto &set : sets) {
        Table table;
        table.name = set->tableName();
        QSqlQuery query(db.connection());
        // No rows, only the column names (folded to lower case on PostgreSQL).
        table.present =
            query.exec(QStringLiteral("SELECT * FROM ") + table.name + QLatin1String(" WHERE 1=0"));
        const QSqlRecord record = query.record();
        for (const QString &name : set->columnNames()) {
            bool found = false;
            for (int i = 0; i < record.count() && !found; ++i)
                found = record.fieldName(i).compare(name, Qt::CaseInsensitive) == 0;
            table.columns.append({name, found});
        }
        result.append(table);
    }
    return result;
}

bool CKivCatalogCheck::IsComplete(const QList<Table> &tables)
{
    if (tables.isEmpty())
        return false;
    for (const Table &t : tables) {
        if (!t.complete())
            return false;
    }
    return true;
}
