#include "sharedcat/SharedServer.h"

#include "catalog/OdbcIni.h"

#include <QAtomicInteger>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <unistd.h>

namespace SharedServer {

namespace {

QAtomicInteger<int> g_accounts;

} // namespace

int port()
{
    return CKivOdbcIni::Value(QStringLiteral("MelvoraTestPg"), QStringLiteral("Port")).toInt();
}

bool admin(const QString &sql, const QString &database)
{
    const QString name = QStringLiteral("shared-server-admin-") + database;
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name)
                                                       : QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
        db.setDatabaseName(database.isEmpty()
                               ? QStringLiteral("MelvoraTestPg")
                               : QStringLiteral("DRIVER={PostgreSQL Unicode};Servername=127.0.0.1;Port=%1;"
                                                "Database=%2;Username=postgres;SSLmode=disable")
                                     .arg(port())
                                     .arg(database));
        if (!db.isOpen() && !db.open()) {
            qWarning("Admin connection failed: %s", qPrintable(db.lastError().text()));
            return false;
        }
        QSqlQuery query(db);
        ok = query.exec(sql);
        if (!ok)
            qWarning("%s failed: %s", qPrintable(sql), qPrintable(query.lastError().text()));
    }
    return ok;
}

Account newAccount(const QString &stem)
{
    const int n = g_accounts.fetchAndAddRelaxed(1);
    Account account;
    account.role = QStringLiteral("%1_%2_%3").arg(stem).arg(QCoreApplication::applicationPid()).arg(n);
    // Characters the password file must escape.
    account.password = QStringLiteral("ge:heim\\%1").arg(n);
    account.database = account.role + QStringLiteral("_db");
    QString quoted = account.password;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    if (!admin(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD '%2'").arg(account.role, quoted)) ||
        !admin(QStringLiteral("CREATE DATABASE %1 OWNER %2").arg(account.database, account.role)))
        return {};
    return account;
}

QString target(const Account &account)
{
    return QStringLiteral("127.0.0.1:%1/%2").arg(port()).arg(account.database);
}

Computer::Computer()
{
    QFile ini(odbcIni());
    if (ini.open(QIODevice::WriteOnly))
        ini.close();
}

QProcessEnvironment Computer::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home());
    env.insert(QStringLiteral("ODBCINI"), odbcIni());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home() + QStringLiteral("/.config"));
    env.remove(QStringLiteral("PGPASSFILE"));
    env.remove(QStringLiteral("PGPASSWORD"));
    env.remove(QStringLiteral("MELVORA_PASSWORD"));
    return env;
}

Run Computer::cli(const QStringList &args, const QByteArray &input) const
{
    QProcess process;
    process.setProcessEnvironment(environment());
    // No controlling terminal, as in a script: a password prompt reads standard input.
    process.setChildProcessModifier([] { ::setsid(); });
    process.start(QStringLiteral(MELVORA_CLI), args);
    Run run;
    if (!process.waitForStarted())
        return run;
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(300000))
        return run;
    run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

bool Computer::registerAccount(const QString &dsn, const Account &account) const
{
    const QString file = m_home.filePath(QStringLiteral("password.txt"));
    QFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(account.password.toUtf8() + '\n');
    out.close();
    const Run run = cli({QStringLiteral("catalog"), QStringLiteral("register"), QStringLiteral("--dsn"), dsn,
                         QStringLiteral("--postgres"), target(account), QStringLiteral("--db-user"), account.role,
                         QStringLiteral("--sslmode"), QStringLiteral("disable"), QStringLiteral("--db-password-file"),
                         file});
    QFile::remove(file);
    if (run.code != 0)
        qWarning("register failed: %s", qPrintable(run.err));
    return run.code == 0;
}

} // namespace SharedServer
