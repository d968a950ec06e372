#include "catalog/CatalogCreator.h"

#include "catalog/CatalogLog.h"
#include "catalog/CatalogVersion.h"
#include "catalog/FullTextSearch.h"
#include "catalog/OdbcIni.h"
#include "catalog/SqliteThreading.h"

#include <QAtomicInteger>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QAtomicInteger<quint64> g_creatorConnections;

} // namespace

QStringList CKivCatalogCreator::TableNames()
{
    return {QStringLiteral("Benutzer"), QStringLiteral("MedienNamen"), QStringLiteral("MedienUser"),
            QStringLiteral("CDs"),      QStringLiteral("Folder"),      QStringLiteral("Mp3s"),
            QStringLiteral("Import"),   QStringLiteral("Interpreten"), QStringLiteral("KatalogVersion")};
}

QString CKivCatalogCreator::SchemaScript(CKivSqlDialect::Engine engine)
{
    QFile file(engine == CKivSqlDialect::Engine::PostgreSQL ? QStringLiteral(":/melvora/catalog/postgres.sql")
                                                            : QStringLiteral(":/melvora/catalog/sqlite.sql"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
}

QStringList CKivCatalogCreator::SplitStatements(const QString &script)
{
    QStringList statements;
    QString current;
    for (const QString &line : script.split(QLatin1Char('\n'))) {
        const QString trimmed = line.trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1String("--")))
            continue;
        current += line + QLatin1Char('\n');
        // The statements inside a trigger's body end with ";" too: the trigger ends at "END;".
        const bool trigger = current.trimmed().startsWith(QLatin1String("CREATE TRIGGER"), Qt::CaseInsensitive);
        if (trigger ? trimmed.compare(QLatin1String("END;"), Qt::CaseInsensitive) == 0
                    : trimmed.endsWith(QLatin1Char(';'))) {
            current = current.trimmed();
            current.chop(1);
            statements.append(current);
            current.clear();
        }
    }
    if (!current.trimmed().isEmpty())
        statements.append(current.trimmed());
    return statements;
}

bool CKivCatalogCreator::fail(const QString &message)
{
    m_lastError = message;
    qCWarning(lcCatalog).noquote() << message;
    return false;
}

bool CKivCatalogCreator::withConnection(const QString &odbcName,
                                        const std::function<bool(QSqlDatabase &)> &work)
{
    const QString name = QStringLiteral("melvora-creator-%1").arg(g_creatorConnections.fetchAndAddRelaxed(1));
    bool ok = false;
    KivSqliteThreading::UseMultiThread();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
        db.setDatabaseName(odbcName);
        if (!db.open())
            ok = fail(QStringLiteral("Cannot connect: ") + db.lastError().text());
        else
            ok = work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool CKivCatalogCreator::CreateTables(QSqlDatabase &db, bool replaceExisting)
{
    const std::optional<CKivSqlDialect> dialect = CKivSqlDialect::detect(db);
    if (!dialect)
        return fail(QStringLiteral("The database is neither SQLite nor PostgreSQL"));
    const QStringList statements = SplitStatements(SchemaScript(dialect->engine()));
    if (statements.isEmpty())
        return fail(QStringLiteral("The schema script is missing"));

    m_held = Held::None;
    if (!replaceExisting) {
        // Tables already there: the catalog exists (or a part of one) and stays exactly as it is.
        QStringList present;
        for (const QString &table : TableNames()) {
            QSqlQuery probe(db);
            if (probe.exec(QStringLiteral("SELECT * FROM ") + table + QLatin1String(" WHERE 1=0")))
                present << table;
        }
        if (!present.isEmpty()) {
            // A catalog of a program that kept no version row has every table but that one.
            m_held = present.size() >= TableNames().size() - 1 ? Held::Complete : Held::Partial;
            return fail(m_held == Held::Complete
                            ? QStringLiteral("The database already holds a catalog; nothing was changed")
                            : QStringLiteral("The database already holds the catalog tables %1; nothing was changed")
                                  .arg(present.join(QLatin1String(", "))));
        }
    }

    QStringList all;
    if (replaceExisting) {
        const QStringList tables = TableNames();
        for (auto it = tables.crbegin(); it != tables.crend(); ++it)
            all.append(QStringLiteral("DROP TABLE IF EXISTS ") + *it);
        if (dialect->engine() == CKivSqlDialect::Engine::SQLite)
            all.append(QStringLiteral("DROP TABLE IF EXISTS ") + KivFullTextSearch::TableName());
    }
    all += statements;

    if (!db.transaction())
        return fail(QStringLiteral("Cannot start a transaction: ") + db.lastError().text());
    QSqlQuery query(db);
    for (const QString &statement : std::as_const(all)) {
        if (!query.exec(statement)) {
            const QString error = query.lastError().text();
            query.finish();
            db.rollback();
            return fail(QStringLiteral("Creating the catalog failed: ") + error + QLatin1String(" -- ") +
                        statement.section(QLatin1Char('\n'), 0, 0));
        }
    }
    query.finish();
    if (QString error; !CKivCatalogVersion::Write(db, &error)) {
        db.rollback();
        return fail(QStringLiteral("Creating the catalog failed: ") + error);
    }
    if (!db.commit())
        return fail(QStringLiteral("Creating the catalog failed at commit: ") + db.lastError().text());
    return true;
}

bool CKivCatalogCreator::CreateSqliteFile(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty())
        return fail(QStringLiteral("No database file given"));
    if (info.exists() && (!info.isFile() || info.size() > 0))
        return fail(QStringLiteral("%1 exists already").arg(path));
    if (!info.absoluteDir().exists())
        return fail(QStringLiteral("The folder of %1 does not exist").arg(path));
    // A value of the connect string ends at ";" (the SQLite driver knows no braces around it).
    const QString absolute = info.absoluteFilePath();
    if (absolute.contains(QLatin1Char(';')))
        return fail(QStringLiteral("A database file path must not contain \";\""));

    const bool existed = info.exists();
    const bool ok = withConnection(QStringLiteral("DRIVER={SQLite3};Database=%1").arg(absolute),
                                   [this](QSqlDatabase &db) { return CreateTables(db, false); });
    if (!ok && !existed)
        QFile::remove(absolute);
    return ok;
}

bool CKivCatalogCreator::CreateForDataSource(const QString &dsn, bool replaceExisting)
{
    const QString driver = CKivOdbcIni::Driver(dsn);
    if (driver.isEmpty())
        return fail(QStringLiteral("Data source %1 is not registered").arg(dsn));
    if (CKivOdbcIni::IsSqliteDriver(driver)) {
        const QString file = CKivOdbcIni::SqliteDatabaseFile(dsn);
        if (file.isEmpty())
            return fail(QStringLiteral("Data source %1 names no database file").arg(dsn));
        if (!QFileInfo::exists(file) || QFileInfo(file).size() == 0)
            return CreateSqliteFile(file);
    }
    return withConnection(
        dsn, [this, replaceExisting](QSqlDatabase &db) { return CreateTables(db, replaceExisting); });
}
