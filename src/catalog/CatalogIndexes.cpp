#include "catalog/CatalogIndexes.h"

#include "catalog/CatalogCreator.h"
#include "catalog/CatalogLog.h"
#include "catalog/FullTextSearch.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

namespace {

// The lower-case names of the indexes, triggers and tables the database holds.
QSet<QString> presentNames(const QSqlDatabase &db, CKivSqlDialect::Engine engine)
{
    QSet<QString> names;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    const QString sql = engine == CKivSqlDialect::Engine::PostgreSQL
                            ? QStringLiteral("SELECT indexname FROM pg_indexes WHERE schemaname = current_schema() "
                                             "UNION SELECT tgname FROM pg_trigger")
                            : QStringLiteral("SELECT name FROM sqlite_master WHERE type IN ('index', 'table', 'trigger')");
    if (query.exec(sql)) {
        while (query.next())
            names.insert(query.value(0).toString().toLower());
    } else {
        qCWarning(lcCatalog).noquote() << "Listing the catalog's indexes failed:" << query.lastError().text();
    }
    return names;
}

} // namespace

QString CKivCatalogIndexes::CreatedName(const QString &statement)
{
    static const QRegularExpression create(
        QStringLiteral("^\\s*CREATE\\s+(?:UNIQUE\\s+)?(?:INDEX|TRIGGER|VIRTUAL\\s+TABLE)\\s+"
                       "(?:IF\\s+NOT\\s+EXISTS\\s+)?(\\w+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = create.match(statement);
    return match.hasMatch() ? match.captured(1) : QString();
}

QList<CKivCatalogIndexes::Index> CKivCatalogIndexes::Run(const QSqlDatabase &db, CKivSqlDialect::Engine engine)
{
    QList<Index> indexes;
    if (!db.isOpen())
        return indexes;
    const QSet<QString> present = presentNames(db, engine);
    for (const QString &statement : CKivCatalogCreator::SplitStatements(CKivCatalogCreator::SchemaScript(engine))) {
        const QString name = CreatedName(statement);
        if (!name.isEmpty())
            indexes.append({name, statement, present.contains(name.toLower())});
    }
    return indexes;
}

QStringList CKivCatalogIndexes::MissingNames(const QList<Index> &indexes)
{
    QStringList missing;
    for (const Index &index : indexes) {
        if (!index.present)
            missing << index.name;
    }
    return missing;
}

bool CKivCatalogIndexes::Upgrade(QSqlDatabase &db, CKivSqlDialect::Engine engine, QStringList *created,
                                 QString *error)
{
    const auto failed = [error](const QString &text) {
        qCWarning(lcCatalog).noquote() << "Upgrading the catalog failed:" << text;
        if (error)
            *error = text;
        return false;
    };
    if (created)
        created->clear();
    const QList<Index> indexes = Run(db, engine);
    if (indexes.isEmpty())
        return failed(QStringLiteral("no connection to the catalog"));
    QStringList statements;
    QStringList names;
    bool searchIndex = false;
    for (const Index &index : indexes) {
        if (index.present)
            continue;
        statements << index.statement;
        names << index.name;
        searchIndex = searchIndex || KivFullTextSearch::ObjectNames().contains(index.name);
    }
    if (statements.isEmpty())
        return true;
    // The extensions an index needs come first (pg_trgm for the trigram index).
    for (const QString &statement : CKivCatalogCreator::SplitStatements(CKivCatalogCreator::SchemaScript(engine))) {
        if (statement.startsWith(QLatin1String("CREATE EXTENSION"), Qt::CaseInsensitive))
            statements.prepend(statement);
    }
    // A full-text table whose triggers were missing may have missed rows: it is filled anew.
    if (searchIndex && engine == CKivSqlDialect::Engine::SQLite)
        statements << KivFullTextSearch::RebuildStatement();

    if (!db.transaction())
        return failed(QStringLiteral("cannot start a transaction: ") + db.lastError().text());
    QSqlQuery query(db);
    for (const QString &statement : std::as_const(statements)) {
        if (!query.exec(statement)) {
            const QString text = query.lastError().text() + QLatin1String(" -- ") +
                                 statement.section(QLatin1Char('\n'), 0, 0);
            query.finish();
            db.rollback();
            return failed(text);
        }
    }
    query.finish();
    if (!db.commit())
        return failed(QStringLiteral("commit: ") + db.lastError().text());
    if (created)
        *created = names;
    return true;
}
