#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// The test PostgreSQL server seen as a household's shared server: databases owned by roles that log
// in with a password, and "computers" that reach it, each a melvora-cli with its own home folder,
// profile and odbc.ini.
namespace SharedServer {

// The port of the test server (from the test data source); 0 when the test runs without it.
int port();
// Runs one statement as the server's superuser, in the test database or the one named; false with a
// warning on failure.
bool admin(const QString &sql, const QString &database = QString());
// A new role with password and a new database it owns; names unique to this run.
struct Account
{
    QString role;
    QString password;
    QString database;
};
Account newAccount(const QString &stem);
// "127.0.0.1:PORT/DATABASE" for melvora-cli.
QString target(const Account &account);

struct Run
{
    int code = -1;
    QString out;
    QString err;
};

// One computer: a home folder with its own odbc.ini, profile folder and password file.
class Computer
{
public:
    Computer();
    QString home() const { return m_home.path(); }
    QString odbcIni() const { return m_home.filePath(QStringLiteral("odbc.ini")); }
    QString pgpass() const { return m_home.filePath(QStringLiteral(".pgpass")); }
    QProcessEnvironment environment() const;
    // melvora-cli with args, standard input fed from input, without a controlling terminal.
    Run cli(const QStringList &args, const QByteArray &input = {}) const;
    // Registers the account's database as data source dsn, the password from a file.
    bool registerAccount(const QString &dsn, const Account &account) const;

private:
    QTemporaryDir m_home;
};

} // namespace SharedServer
