#include "catalog/CatalogVersion.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

QString CKivCatalogVersion::ProgramVersion()
{
    return QStringLiteral(MELVORA_PROGRAM_VERSION);
}

CKivCatalogVersion::Recorded CKivCatalogVersion::Read(QSqlDatabase &db)
{
    Recorded recorded;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT SchemaVersion, ProgramVersion FROM KatalogVersion")) || !query.next())
        return recorded;
    recorded.present = true;
    recorded.schema = query.value(0).toInt();
    recorded.program = query.value(1).toString();
    return recorded;
}

bool CKivCatalogVersion::Write(QSqlDatabase &db, QString *error)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO KatalogVersion (SchemaVersion, ProgramVersion) VALUES (?, ?)"));
    query.addBindValue(SchemaVersion());
    query.addBindValue(ProgramVersion());
    if (query.exec())
        return true;
    if (error)
        *error = query.lastError().text();
    return false;
}

QString CKivCatalogVersion::Mismatch(const Recorded &recorded)
{
    if (!recorded.present || recorded.schema == SchemaVersion())
        return {};
    const QString program = recorded.program.isEmpty() ? QStringLiteral("unknown") : recorded.program;
    return QStringLiteral("the catalog expects program version %1 (catalog layout %2); this computer runs "
                          "version %3 (catalog layout %4)")
        .arg(program)
        .arg(recorded.schema)
        .arg(ProgramVersion())
        .arg(SchemaVersion());
}
