#include "catalog/Database.h"

#include "core/Settings.h"
#include "core/UserInterface.h"
#include "catalog/CatalogLog.h"
#include "catalog/OdbcIni.h"
#include "catalog/SqliteThreading.h"
#include "catalog/StatementCache.h"

#include <QAtomicInteger>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace {

QAtomicInteger<quint64> g_connectionCounter;

QString defaultDataSourceName()
{
    return QStringLiteral("Melvora");
}

} // namespace

CKivDatabase::CKivDatabase(CKivSettings &settings)
    : m_settings(settings),
      m_connectionName(QStringLiteral("melvora-catalog-%1").arg(g_connectionCounter.fetchAndAddRelaxed(1))),
      m_thread(QThread::currentThread())
{
    // Before the first connection of the process opens SQLite.
    KivSqliteThreading::UseMultiThread();
    readSettings();
}

CKivDatabase::~CKivDatabase()
{
    Close();
    if (QSqlDatabase::contains(m_connectionName))
        QSqlDatabase::removeDatabase(m_connectionName);
}

void CKivDatabase::readSettings()
{
    m_password = m_settings.GetOdbcPasswort();
    m_userName = m_settings.GetOdbcUsername();
    m_dataSourceName = m_settings.GetOdbcAliasname();
    if (m_dataSourceName.isEmpty())
        m_dataSourceName = defaultDataSourceName();
}

bool CKivDatabase::Connect(bool showDialogOnFailure)
{
    if (IsOpen())
        return true;
    readSettings();
    if (open())
        return true;
    return showDialogOnFailure ? ShowConnectionDialog() : false;
}

bool CKivDatabase::ConnectTo(const QString &dataSourceName)
{
    if (IsOpen() && dataSourceName == m_dataSourceName)
        return true;
    Close();
    m_dataSourceName = dataSourceName;
    return open();
}

bool CKivDatabase::open()
{
    Q_ASSERT(QThread::currentThread() == m_thread);
    // The SQLite driver creates a missing database file on connect, which would leave an empty
    // catalog without tables behind: a data source whose file is gone must fail instead.
    const QString driver = CKivOdbcIni::Driver(m_dataSourceName);
    // A name the driver manager does not find is remembered by it as missing for a while, so a
    // registration right afterwards would not be seen: never hand it an unregistered name.
    if (driver.isEmpty()) {
        qCWarning(lcCatalog).noquote() << "Data source" << m_dataSourceName << "is not registered";
        return false;
    }
    if (CKivOdbcIni::IsSqliteDriver(driver)) {
        const QString file = CKivOdbcIni::SqliteDatabaseFile(m_dataSourceName);
        if (file.isEmpty() || !QFileInfo(file).isFile()) {
            qCWarning(lcCatalog).noquote()
                << "Data source" << m_dataSourceName << "names the missing database file" << file;
            return false;
        }
    }

    QSqlDatabase db = QSqlDatabase::contains(m_connectionName)
                          ? QSqlDatabase::database(m_connectionName, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_connectionName);
    if (!db.isValid()) {
        qCWarning(lcCatalog) << "The ODBC driver of Qt Sql is not available";
        return false;
    }
    // Qt's ODBC driver puts "DSN=" in front of the name itself, so it gets the bare name. User name
    // and password are not part of the connect string: the data source's registration holds them.
    QString name = ConnectString().mid(4);
    if (m_largeReads) {
        // Attributes after the name override the registration for this connection only.
        name += CKivOdbcIni::IsSqliteDriver(driver) ? QStringLiteral(";StepAPI=1")
                                                    : QStringLiteral(";UseDeclareFetch=1;Fetch=1024");
    }
    db.setDatabaseName(name);
    if (!db.open()) {
        qCWarning(lcCatalog).noquote()
            << "Connecting to" << ConnectString() << "failed:" << db.lastError().text();
        return false;
    }
    const std::optional<CKivSqlDialect> dialect = CKivSqlDialect::detect(db);
    if (!dialect) {
        qCWarning(lcCatalog).noquote()
            << "Data source" << m_dataSourceName << "is neither SQLite nor PostgreSQL";
        db.close();
        return false;
    }
    m_dialect = *dialect;
    if (m_largeReads && m_dialect.engine() == CKivSqlDialect::Engine::PostgreSQL) {
        // Every read is a cursor now; the server would plan cursors for their first tenth of rows
        // (a search by ID order instead of by its index): plan them for all rows, as plain queries.
        QSqlQuery set(db);
        if (!set.exec(QStringLiteral("SET cursor_tuple_fraction = 1")))
            qCWarning(lcCatalog).noquote() << "Planning cursors for all rows failed:" << set.lastError().text();
    }
    m_connectionSerial = g_connectionCounter.fetchAndAddRelaxed(1) + 1;
    // A new connection: nothing of the old one's loss or transaction carries over.
    m_lost = false;
    m_suspectLost = false;
    m_inTransaction = false;
    m_sqliteTransaction = false;
    m_lastFailure = KivCatalogFailure::Kind::None;
    return true;
}

bool CKivDatabase::ShowConnectionDialog()
{
    kivUi().runConnectionDialog(*this);
    return IsOpen();
}

bool CKivDatabase::IsOpen() const
{
    return QSqlDatabase::contains(m_connectionName) && connection().isOpen();
}

void CKivDatabase::Close()
{
    KivStatementCache::Release(m_connectionName);
    if (QSqlDatabase::contains(m_connectionName))
        connection().close();
}

QString CKivDatabase::DataSourceName() const
{
    return m_dataSourceName;
}

void CKivDatabase::RedetectDialect()
{
    if (const std::optional<CKivSqlDialect> dialect = CKivSqlDialect::detect(connection()))
        m_dialect = *dialect;
}

QSqlDatabase CKivDatabase::connection() const
{
    Q_ASSERT(QThread::currentThread() == m_thread);
    return QSqlDatabase::database(m_connectionName, false);
}

void CKivDatabase::NoteError(const QString &driverText)
{
    ++m_errorCount;
    m_lastErrorText = driverText;
    m_suspectLost = true;
    m_lastFailure = KivCatalogFailure::classify(driverText);
}

bool CKivDatabase::ConnectionLost()
{
    if (m_lost)
        return true;
    // Inside a transaction the server refuses every statement after a failed one: no probe then.
    if (!m_suspectLost || m_inTransaction || !QSqlDatabase::contains(m_connectionName))
        return false;
    m_suspectLost = false;
    QSqlQuery probe(connection());
    if (probe.exec(QStringLiteral("SELECT 1")))
        return false;
    qCWarning(lcCatalog).noquote() << "The connection to" << m_dataSourceName
                                   << "is lost:" << probe.lastError().text();
    m_lost = true;
    return true;
}

bool CKivDatabase::Revive()
{
    if (m_inTransaction || !ConnectionLost())
        return IsOpen();
    Close();
    if (!open())
        return false;
    qCInfo(lcCatalog).noquote() << "Connected to" << m_dataSourceName << "again";
    return true;
}

bool CKivDatabase::sqliteStatement(const QString &sql, const char *what)
{
    QSqlQuery query(connection());
    if (query.exec(sql))
        return true;
    qCWarning(lcCatalog).noquote() << what << "failed:" << query.lastError().text();
    NoteError(query.lastError().text());
    return false;
}

bool CKivDatabase::BeginTransaction()
{
    // SQLite: a deferred transaction takes the write lock only at its first write and then cannot
    // wait for another writer (the two would wait for each other), so it fails at once with "database
    // is locked". Taken at the start, the lock waits for the busy timeout instead. The driver stays
    // in autocommit mode; the transaction is the database's own.
    if (m_dialect.engine() == CKivSqlDialect::Engine::SQLite) {
        m_sqliteTransaction = sqliteStatement(QStringLiteral("BEGIN IMMEDIATE"), "Starting a transaction");
        m_inTransaction = m_sqliteTransaction;
        return m_sqliteTransaction;
    }
    QSqlDatabase db = connection();
    if (db.transaction()) {
        m_inTransaction = true;
        return true;
    }
    qCWarning(lcCatalog).noquote() << "Starting a transaction failed:" << db.lastError().text();
    NoteError(db.lastError().text());
    return false;
}

bool CKivDatabase::Commit()
{
    if (m_sqliteTransaction) {
        if (!sqliteStatement(QStringLiteral("COMMIT"), "Commit"))
            return false;
        m_sqliteTransaction = false;
        m_inTransaction = false;
        return true;
    }
    QSqlDatabase db = connection();
    if (db.commit()) {
        m_inTransaction = false;
        // The driver reports a commit on a connection it has lost as done; the server rolled back.
        if (ConnectionLost()) {
            NoteError(QStringLiteral("The connection was lost before the commit"));
            return false;
        }
        return true;
    }
    qCWarning(lcCatalog).noquote() << "Commit failed:" << db.lastError().text();
    NoteError(db.lastError().text());
    return false;
}

bool CKivDatabase::Rollback()
{
    // Whether or not the server hears it, the transaction is over: a lost connection took it along.
    m_inTransaction = false;
    // A failure that ended the transaction in the database (SQLite on a full disk, a lost server)
    // was reported when it happened; the rollback that follows is not a second failure.
    if (m_sqliteTransaction) {
        m_sqliteTransaction = false;
        QSqlQuery query(connection());
        if (query.exec(QStringLiteral("ROLLBACK")))
            return true;
        const QString text = query.lastError().text();
        if (KivCatalogFailure::isNoActiveTransaction(text))
            return true;
        if (m_lastFailure != KivCatalogFailure::Kind::ConnectionLost)
            qCWarning(lcCatalog).noquote() << "Rollback failed:" << text;
        return false;
    }
    QSqlDatabase db = connection();
    if (db.rollback())
        return true;
    const QString text = db.lastError().text();
    if (KivCatalogFailure::isNoActiveTransaction(text))
        return true;
    if (m_lastFailure != KivCatalogFailure::Kind::ConnectionLost)
        qCWarning(lcCatalog).noquote() << "Rollback failed:" << text;
    return false;
}

bool CKivDatabase::RegisterDataSource(const QString &dsn, const QString &databaseFile)
{
    const QString path = QFileInfo(databaseFile).absoluteFilePath();
    QByteArray attributes = "DSN=" + dsn.toUtf8();
    attributes += '\0';
    attributes += "DBQ=" + path.toUtf8();
    attributes += '\0';
    attributes += '\0';
    if (attributes.size() > MaxAttributeListBytes) {
        qCWarning(lcCatalog) << "Attribute list of" << attributes.size() << "bytes exceeds"
                             << MaxAttributeListBytes;
        return false;
    }
    if (dsn.isEmpty() || databaseFile.isEmpty()) {
        qCWarning(lcCatalog) << "A data source needs a name and a database file";
        return false;
    }
    // A line break would end the ini entry and start another one.
    for (const QString &text : {dsn, path}) {
        for (QChar c : text) {
            if (c.category() == QChar::Other_Control) {
                qCWarning(lcCatalog) << "Control character in data source name or path refused";
                return false;
            }
        }
    }
    // The SQLite driver reads "Database"; "DBQ" is kept as well, as the registration always names it.
    // A scan writes on its own connection while the window reads: wait for a lock instead of failing.
    return CKivOdbcIni::WriteUserDataSource(dsn, QStringLiteral("SQLite3"),
                                            {{QStringLiteral("Database"), path},
                                             {QStringLiteral("DBQ"), path},
                                             {QStringLiteral("Timeout"), QStringLiteral("10000")}});
}

QString CKivDatabase::RegisterResultCaption()
{
    return QStringLiteral("INFORMATION");
}

QString CKivDatabase::RegisterResultText(bool succeeded)
{
    return succeeded ? QStringLiteral("Datenbankverbindung wurde erfolgreich aktualisiert !")
                     : QStringLiteral("Beim erstellen der Datenbankverbindung ist ein Fehler aufgetreten !");
}
