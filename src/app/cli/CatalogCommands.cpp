#include "app/cli/CatalogCommands.h"

#include "app/cli/CliArgs.h"
#include "app/cli/PasswordPrompt.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "catalog/CatalogCheck.h"
#include "catalog/CatalogCreator.h"
#include "catalog/CatalogIndexes.h"
#include "catalog/CatalogVersion.h"
#include "catalog/Database.h"
#include "catalog/PgPass.h"
#include "catalog/PostgresSource.h"

#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>

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
    if (!ok && creator.held() == CKivCatalogCreator::Held::Complete) {
        QTextStream(stdout) << "data source " << dsn << " already holds a catalog; nothing was changed\n";
        return 0;
    }
    if (!ok)
        return fail(creator.lastError(), 1);
    QTextStream(stdout) << "catalog created in "
                        << (sqlite.isEmpty() ? QStringLiteral("data source ") + dsn : sqlite) << "\n";
    return 0;
}

int checkCatalog(CKivDatabase &db, const QString &dsn);

// Runs work on a connection to the data source, with a throw-away profile store: checking or
// upgrading a data source must not change the user's settings. Exit code 3 when it cannot connect.
int withDataSource(const QString &dsn, const std::function<int(CKivDatabase &)> &work)
{
    QTemporaryDir scratch;
    if (!scratch.isValid())
        return fail(QStringLiteral("no temporary folder"), 3);
    CKivProfileStore store(scratch.filePath(QStringLiteral("Melvora.ini")));
    CKivSettings settings(store);
    settings.SetOdbcAliasname(dsn);
    CKivDatabase db(settings);
    if (!db.Connect(false))
        return fail(QStringLiteral("cannot connect to data source ") + dsn, 3);
    return work(db);
}

// check --dsn NAME: one line per table and per column, then per index; exit code 1 when a table
// or column is missing (a missing index only slows the catalog down: "catalog upgrade" adds it).
int check(const QStringList &args)
{
    QStringList values;
    if (!takeOptions(args, {QStringLiteral("--dsn")}, values))
        return 1;
    const QString dsn = values.at(0);
    if (dsn.isEmpty())
        return fail(QStringLiteral("catalog check needs --dsn NAME"), 1);
    return withDataSource(dsn, [&dsn](CKivDatabase &db) { return checkCatalog(db, dsn); });
}

// upgrade --dsn NAME: adds the indexes a catalog of an earlier version lacks.
int upgrade(const QStringList &args)
{
    QStringList values;
    if (!takeOptions(args, {QStringLiteral("--dsn")}, values))
        return 1;
    const QString dsn = values.at(0);
    if (dsn.isEmpty())
        return fail(QStringLiteral("catalog upgrade needs --dsn NAME"), 1);
    return withDataSource(dsn, [&dsn](CKivDatabase &db) {
        if (!CKivCatalogCheck::IsComplete(CKivCatalogCheck::Run(db)))
            return fail(QStringLiteral("data source ") + dsn + QStringLiteral(" holds no complete catalog"), 1);
        QSqlDatabase connection = db.connection();
        QStringList created;
        QString error;
        if (!CKivCatalogIndexes::Upgrade(connection, db.dialect().engine(), &created, &error))
            return fail(QStringLiteral("upgrading the catalog failed: ") + error, 2);
        QTextStream out(stdout);
        if (created.isEmpty())
            out << "data source " << dsn << ": the catalog has every index; nothing was changed\n";
        for (const QString &name : std::as_const(created))
            out << name << ": created\n";
        return 0;
    });
}

int checkCatalog(CKivDatabase &db, const QString &dsn)
{
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
    if (complete) {
        const QList<CKivCatalogIndexes::Index> indexes =
            CKivCatalogIndexes::Run(db.connection(), db.dialect().engine());
        for (const CKivCatalogIndexes::Index &index : indexes)
            out << "index " << index.name << ": " << (index.present ? "ok" : "missing") << "\n";
        if (!CKivCatalogIndexes::MissingNames(indexes).isEmpty())
            out << "indexes missing: the catalog works, only slower; \"melvora-cli catalog upgrade --dsn " << dsn
                << "\" adds them\n";
    }
    out << (complete ? "catalog complete" : "catalog incomplete") << "\n";
    QSqlDatabase connection = db.connection();
    const CKivCatalogVersion::Recorded version = CKivCatalogVersion::Read(connection);
    if (version.present)
        out << "catalog version: layout " << version.schema << ", created by program version " << version.program
            << "\n";
    else
        out << "catalog version: not recorded\n";
    if (const QString mismatch = CKivCatalogVersion::Mismatch(version); !mismatch.isEmpty()) {
        out << mismatch << "\n";
        return 1;
    }
    return complete ? 0 : 1;
}

// register --dsn NAME --postgres HOST[:PORT]/DATABASE: the data source without any password; the
// password goes into the client library's password file.
int registerPostgres(const QString &dsn, const QString &target, const QString &user, const QString &sslmode,
                     const QString &passwordFile)
{
    QString error;
    std::optional<CKivPostgresSource> source = CKivPostgresSource::Parse(target, &error);
    if (!source)
        return fail(error, 1);
    source->user = user.isEmpty() ? qEnvironmentVariable("USER") : user;
    if (!sslmode.isNull())
        source->sslmode = sslmode;
    if (const QString reason = source->Invalid(); !reason.isEmpty())
        return fail(reason, 1);

    QString password;
    if (!passwordFile.isNull()) {
        password = readPasswordFile(passwordFile);
        if (password.isNull())
            return fail(QStringLiteral("cannot read the password file ") + passwordFile, 1);
    } else {
        password = promptPassword(QStringLiteral("Passwort für %1 auf %2: ").arg(source->user, source->host));
    }
    const QString pgpass = CKivPgPass::DefaultPath();
    if (!password.isEmpty() && !CKivPgPass::Store(pgpass, source->PasswordEntry(), password, &error))
        return fail(error, 1);
    if (!source->Register(dsn, &error))
        return fail(error, 1);
    QTextStream out(stdout);
    out << CKivDatabase::RegisterResultText(true) << "\n";
    out << "data source " << dsn << ": " << source->user << "@" << source->host << ":" << source->port << "/"
        << source->database << ", sslmode " << source->sslmode << "\n";
    out << (password.isEmpty() ? QStringLiteral("no password stored") : QStringLiteral("password stored in ") + pgpass)
        << "\n";
    return 0;
}

int registerDataSource(const QStringList &args)
{
    QStringList values;
    if (!takeOptions(args,
                     {QStringLiteral("--dsn"), QStringLiteral("--sqlite"), QStringLiteral("--postgres"),
                      QStringLiteral("--db-user"), QStringLiteral("--sslmode"), QStringLiteral("--db-password-file")},
                     values))
        return 1;
    const QString dsn = values.at(0);
    const QString sqlite = values.at(1);
    const QString postgres = values.at(2);
    if (dsn.isEmpty() || sqlite.isEmpty() == postgres.isEmpty())
        return fail(QStringLiteral("catalog register needs --dsn NAME and --sqlite FILE or --postgres "
                                   "HOST[:PORT]/DATABASE"),
                    1);
    if (!postgres.isEmpty())
        return registerPostgres(dsn, postgres, values.at(3), values.at(4), values.at(5));
    if (!values.at(3).isNull() || !values.at(4).isNull() || !values.at(5).isNull())
        return fail(QStringLiteral("--db-user, --sslmode and --db-password-file belong to --postgres"), 1);
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
    if (sub == QLatin1String("upgrade"))
        return upgrade(rest);
    if (sub == QLatin1String("register"))
        return registerDataSource(rest);
    return fail(QStringLiteral("catalog needs create, check, upgrade or register"), 1);
}

} // namespace

std::vector<CliCommand> catalogCommands()
{
    return {{"catalog",
             "catalog create --sqlite FILE | catalog create --dsn NAME | catalog check --dsn NAME"
             " | catalog upgrade --dsn NAME"
             " | catalog register --dsn NAME --sqlite FILE"
             " | catalog register --dsn NAME --postgres HOST[:PORT]/DATABASE [--db-user USER]"
             " [--sslmode disable|prefer|require|verify-full] [--db-password-file FILE]",
             catalog}};
}
