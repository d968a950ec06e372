#pragma once

#include <QList>
#include <QPair>
#include <QString>

// Reads and writes data source registrations through the ODBC installer library (libodbcinst):
// the user's and the system's odbc.ini as the driver manager sees them. Serialised, since the
// installer keeps its configuration mode in process-wide state.
class CKivOdbcIni
{
public:
    using Attributes = QList<QPair<QString, QString>>;

    // A value of a data source's registration (user entries before system ones); empty when absent.
    static QString Value(const QString &dsn, const QString &key);
    static QString Driver(const QString &dsn) { return Value(dsn, QStringLiteral("Driver")); }

    // Whether the registered driver is a SQLite one (by name or by library path).
    static bool IsSqliteDriver(const QString &driver);

    // The database file a SQLite data source names ("Database", else "DBQ"); empty when none.
    static QString SqliteDatabaseFile(const QString &dsn);

    // Creates or replaces a user data source with the given driver and attributes.
    static bool WriteUserDataSource(const QString &dsn, const QString &driver, const Attributes &attributes);

    // The installer's last error text, for the log.
    static QString LastInstallerError();
};
