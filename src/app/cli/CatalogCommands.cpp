#include "app/cli/CatalogCommands.h"

#include "app/cli/CliArgs.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "catalog/CatalogCheck.h"
#include "catalog/CatalogCreator.h"
#include "catalog/Database.h"

#include <QTemporaryDir>
#include <QTextStream>

namespace {

int fail(const QString &text, int code)
{
    QTextStream err(stderr);
    err << "melvora-cli: " << text << "\n";
    return code;
}

// Takes the named options out of args into values; false, with the reason printed, when one lacks
// its value or args hold anything else.
bool takeOptions(QStringList args, const QStringList &names, QStringList &values)
{
    bool missing = false;
    for (const QString &name : names)
        values << KivCliArgs::takeOption(args, name, &missing);
    if (missing) {
        fail(QStringLiteral("%1 need a value").arg(names.join(QLatin1String(", "))), 1);
        return false;
    }
    if (const QString option = KivCliArgs::unknownOption(args); !option.isEmpty()) {
        fail(QStringLiteral("unknown option ") + option, 1);
        return false;
    }
    if (const QStringList extra = KivCliArgs::operands(args); !extra.isEmpty()) {
        fail(QStringLiteral("unexpected argument ") + extra.first(), 1);
        return false;
    }
    return true;
}

int create(const QStringList &args)
{
    QStringList values;
    if (!takeOptions(args, {QStringLiteral("--sqlite"), QStringLiteral("--dsn")}, values))
        return 1;
    const QString sqlite = values.at(0);
    const QString dsn = values.at(1);
    if (sqlite.isEmpty() == dsn.isEmpty())
        return fail(QStringLiteral("catalog create needs --sqlite FILE or --dsn NAME"), 1);
    CKivCatalogCreator creator;
    const bool ok = sqlite.isEmpty() ? creator.CreateForDataSource(dsn) : creator.CreateSqliteFile(sqlite);
    if (!ok)
        return fail(creator.lastError(), 1);
    QTextStream(stdout) << "catalog created in "
                        << (sqlite.isEmpty() ? QStringLiteral("data source ") + dsn : sqlite) << "\n";
    return 0;
}

// check --dsn NAME: one line per table and per column; exit code 1 when anything is missing.
int check(const QStringList &args)
{
    QStringList values;
    if (!takeOptions(args, {QStringLiteral("--dsn")}, values))
        return 1;
    const QString dsn = values.at(0);
    if (dsn.isEmpty())
        return fail(QStringLiteral("catalog check needs --dsn NAME"), 1);
    // A throw-away profile store: checking a data source must not change the user's settings.
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(QStringLiteral("no temporary folder"), 3);
    CKivProfileStore store(scratch.filePath(QStringLiteral("Melvora.ini")));
    CKivSettings settings(store);
    settings.SetOdbcAliasname(dsn);
    CKivDatabase db(settings);
    if (!db.Connect(false))
        return fail(QStringLiteral("cannot connect to data source ") + dsn, 3);

    const QList<CKivCatalogCheck::Table> tables = CKivCatalogCheck::Run(db);
    QTextStream out(stdout);
    out << "data source " << dsn << " (" << db.dialect().engineName() << ")\n";
    for (const CKivCatalogCheck::Table &table : tables) {
        out << table.name << ": "
            << (table.complete() ? "ok"
                : table.present  ? "incomplete"
                                 : "missing")
            << "\n";
        for (const CKivCatalogCheck::Column &column : table.columns)
            out << "  " << column.name << " " << (column.present ? "ok" : "missing") << "\n";
    }
    const bool complete = CKivCatalogCheck::IsComplete(tables);
    out << (complete ? "catalog complete" : "catalog incomplete") << "\n";
    return complete ? 0 : 1;
}

int registerDataSource(const QStringList &args)
{
    QStringList values;
    if (!takeOptions(args, {QStringLiteral("--dsn"), QStringLiteral("--sqlite")}, values))
        return 1;
    const QString dsn = values.at(0);
    const QString sqlite = values.at(1);
    if (dsn.isEmpty() || sqlite.isEmpty())
        return fail(QStringLiteral("catalog register needs --dsn NAME --sqlite FILE"), 1);
    const bool ok = CKivDatabase::RegisterDataSource(dsn, sqlite);
    QTextStream out(ok ? stdout : stderr);
    out << CKivDatabase::RegisterResultText(ok) << "\n";
    return ok ? 0 : 1;
}

int catalog(const QStringList &args)
{
    const QString sub = args.value(0);
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("create"))
        return create(rest);
    if (sub == QLatin1String("check"))
        return check(rest);
    if (sub == QLatin1String("register"))
        return registerDataSource(rest);
    return fail(QStringLiteral("catalog needs create, check or register"), 1);
}

} // namespace

std::vector<CliCommand> catalogCommands()
{
    return {{"catalog",
             "catalog create --sqlite FILE | catalog create --dsn NAME | catalog check --dsn NAME"
             " | catalog register --dsn NAME --sqlite FILE",
             catalog}};
}
