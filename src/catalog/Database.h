#pragma once

#include "catalog/CatalogFailure.h"
#include "catalog/SqlDialect.h"

#include <QSqlDatabase>
#include <QString>
#include <QThread>

class CKivSettings;

// The connection to the catalog database: an ODBC data source named in the settings ("Melvora"
// when none is set). One object per thread, each with its own connection, used only on the thread
// that created it. Connecting never throws; a failure is a false result and a log entry.
class CKivDatabase
{
public:
    explicit CKivDatabase(CKivSettings &settings);
    ~CKivDatabase();
    CKivDatabase(const CKivDatabase &) = delete;
    CKivDatabase &operator=(const CKivDatabase &) = delete;

    // True at once when open. Otherwise reads the connection values from the settings and opens the
    // data source; on failure shows the connection dialog when asked to, else returns false.
    bool Connect(bool showDialogOnFailure);
    // Opens this data source, whatever the settings name (a second connection to the catalog another
    // connection uses).
    bool ConnectTo(const QString &dataSourceName);
    // Asks the driver, from the next open on, to hand out large results as they arrive instead of
    // holding them whole first (SQLite: StepAPI; PostgreSQL: a server cursor fetched in blocks).
    // Meant for a connection that only reads lists: every query then keeps its read open on the
    // server, or SQLite's read lock, until its last row is fetched.
    void SetLargeReads(bool on) { m_largeReads = on; }
    // Runs the connection dialog; true when the connection is open afterwards.
    bool ShowConnectionDialog();
    bool IsOpen() const;
    void Close();

    // The data source of the last connect (before the first one: as the settings name it).
    QString DataSourceName() const;
    QString UserName() const { return m_userName; }
    QString Password() const { return m_password; }
    QString ConnectString() const { return QStringLiteral("DSN=") + DataSourceName(); }

    CKivSettings &Settings() const { return m_settings; }
    QSqlDatabase connection() const;
    const CKivSqlDialect &dialect() const { return m_dialect; }
    // Looks again at what the catalog offers (after an upgrade added its full-text index).
    void RedetectDialect();
    // Takes the dialect another connection to the same catalog has detected.
    void AdoptDialect(const CKivSqlDialect &dialect) { m_dialect = dialect; }
    // Changes with every successful (re)open: statements prepared before belong to a closed connection.
    quint64 connectionSerial() const { return m_connectionSerial; }

    bool BeginTransaction();
    bool InTransaction() const { return m_inTransaction; }
    bool Commit();
    bool Rollback();

    // Catalog reads and writes on this connection that failed, and the driver's text of the last one
    // (kept for the user's message; the failing operation logs it).
    void NoteError(const QString &driverText);
    // The last noted failure was shown to the user by the operation itself (an invalid filter).
    void ErrorShown()
    {
        if (m_errorCount > 0)
            --m_errorCount;
    }
    // The failures noted since ErrorCount() was mark were shown to the user.
    void ErrorsShownSince(quint64 mark) { m_errorCount = mark; }
    quint64 ErrorCount() const { return m_errorCount; }
    QString LastErrorText() const { return m_lastErrorText; }
    // What the last noted failure means: None when a later statement may succeed, else the cause no
    // retry can cure.
    KivCatalogFailure::Kind LastFailure() const { return m_lastFailure; }

    // A shared catalog's server can go away (stopped, network cut) and come back. After a failure has
    // been noted, ConnectionLost() asks the server once whether the connection still works; Revive()
    // opens a lost connection anew, never inside a transaction (the server has rolled that back, and
    // the rest of the command must not run without it). Commands call Revive() before they start.
    bool ConnectionLost();
    bool Revive();
    // Depth of the user commands running on this connection (a command may run another one).
    int &CommandDepth() { return m_commandDepth; }

    // Registers (creates or updates) a user data source for a SQLite catalog file. Refused when the
    // attribute list "DSN=name\0DBQ=path\0\0" would exceed 200 bytes.
    static bool RegisterDataSource(const QString &dsn, const QString &databaseFile);
    // What the connection dialog tells the user after a registration.
    static QString RegisterResultCaption();
    static QString RegisterResultText(bool succeeded);

    static constexpr int MaxAttributeListBytes = 200;

private:
    void readSettings();
    bool open();
    // Runs one statement of SQLite's own transaction control; logs a failure.
    bool sqliteStatement(const QString &sql, const char *what);

    CKivSettings &m_settings;
    QString m_connectionName;
    QThread *m_thread;
    QString m_password;
    QString m_userName;
    QString m_dataSourceName;
    CKivSqlDialect m_dialect;
    quint64 m_connectionSerial = 0;
    // A SQLite transaction begun by statement is open on this connection.
    bool m_sqliteTransaction = false;
    quint64 m_errorCount = 0;
    QString m_lastErrorText;
    // Failures noted since the connection was last asked whether it still works.
    bool m_suspectLost = false;
    bool m_lost = false;
    bool m_inTransaction = false;
    bool m_largeReads = false;
    int m_commandDepth = 0;
    KivCatalogFailure::Kind m_lastFailure = KivCatalogFailure::Kind::None;
};
