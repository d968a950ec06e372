#include "catalog/PostgresSource.h"

#include "catalog/CatalogLog.h"
#include "catalog/OdbcIni.h"

#include <QAtomicInteger>
#include <QSqlDatabase>
#include <QSqlError>

namespace {

QAtomicInteger<quint64> g_probeConnections;

bool setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

// A value the ini file or the driver's connect string would read differently than it was meant.
bool unsafeValue(const QString &value)
{
    for (QChar c : value) {
        if (c.category() == QChar::Other_Control || c == QLatin1Char(';') || c == QLatin1Char('{') ||
            c == QLatin1Char('}') || c == QLatin1Char('[') || c == QLatin1Char(']') || c == QLatin1Char('='))
            return true;
    }
    return value.trimmed() != value;
}

} // namespace

std::optional<CKivPostgresSource> CKivPostgresSource::Parse(const QString &target, QString *error)
{
    const qsizetype slash = target.indexOf(QLatin1Char('/'));
    if (slash <= 0 || slash == target.size() - 1) {
        setError(error, QStringLiteral("expected HOST[:PORT]/DATABASE, not \"%1\"").arg(target));
        return std::nullopt;
    }
    CKivPostgresSource source;
    source.database = target.mid(slash + 1);
    QString server = target.left(slash);
    QString port;
    if (server.startsWith(QLatin1Char('['))) {
        const qsizetype close = server.indexOf(QLatin1Char(']'));
        if (close < 0) {
            setError(error, QStringLiteral("an IPv6 address needs its closing \"]\""));
            return std::nullopt;
        }
        port = server.mid(close + 1);
        server = server.mid(1, close - 1);
        if (!port.isEmpty() && !port.startsWith(QLatin1Char(':'))) {
            setError(error, QStringLiteral("expected \":PORT\" after the address"));
            return std::nullopt;
        }
        port = port.mid(1);
    } else if (const qsizetype colon = server.lastIndexOf(QLatin1Char(':')); colon >= 0) {
        port = server.mid(colon + 1);
        server = server.left(colon);
    }
    source.host = server;
    if (!port.isEmpty() || target.left(slash).endsWith(QLatin1Char(':'))) {
        bool ok = false;
        const int number = port.toInt(&ok);
        if (!ok || number < 1 || number > 65535 || port.startsWith(QLatin1Char('+'))) {
            setError(error, QStringLiteral("the port must be a number from 1 to 65535, not \"%1\"").arg(port));
            return std::nullopt;
        }
        source.port = number;
    }
    if (source.host.isEmpty()) {
        setError(error, QStringLiteral("the server is missing in \"%1\"").arg(target));
        return std::nullopt;
    }
    return source;
}

QStringList CKivPostgresSource::SslModes()
{
    return {QStringLiteral("disable"), QStringLiteral("prefer"), QStringLiteral("require"),
            QStringLiteral("verify-full")};
}

QString CKivPostgresSource::Invalid() const
{
    if (host.isEmpty())
        return QStringLiteral("the server is missing");
    if (database.isEmpty())
        return QStringLiteral("the database is missing");
    if (user.isEmpty())
        return QStringLiteral("the database user is missing");
    if (port < 1 || port > 65535)
        return QStringLiteral("the port must be a number from 1 to 65535");
    if (!SslModes().contains(sslmode))
        return QStringLiteral("the encryption must be one of ") + SslModes().join(QLatin1String(", "));
    for (const QString &value : {host, database, user}) {
        if (unsafeValue(value))
            return QStringLiteral("\"%1\" contains a character a data source cannot hold").arg(value);
    }
    return {};
}

bool CKivPostgresSource::Register(const QString &dsn, QString *error) const
{
    if (dsn.isEmpty() || unsafeValue(dsn))
        return setError(error, QStringLiteral("\"%1\" cannot name a data source").arg(dsn));
    if (const QString reason = Invalid(); !reason.isEmpty())
        return setError(error, reason);
    // No password key: the driver's client library finds it in the password file.
    const bool ok = CKivOdbcIni::WriteUserDataSource(dsn, DriverName(),
                                                     {{QStringLiteral("Servername"), host},
                                                      {QStringLiteral("Port"), QString::number(port)},
                                                      {QStringLiteral("Database"), database},
                                                      {QStringLiteral("Username"), user},
                                                      {QStringLiteral("SSLmode"), sslmode}});
    if (!ok)
        return setError(error, QStringLiteral("the data source could not be written: ") +
                                   CKivOdbcIni::LastInstallerError());
    return true;
}

QString CKivPostgresSource::TestConnection() const
{
    if (const QString reason = Invalid(); !reason.isEmpty())
        return reason;
    const QString name = QStringLiteral("melvora-probe-%1").arg(g_probeConnections.fetchAndAddRelaxed(1));
    QString message;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), name);
        // Every value is checked free of ";", braces and "=", so the connect string reads as meant.
        db.setDatabaseName(QStringLiteral("DRIVER={%1};Servername=%2;Port=%3;Database=%4;Username=%5;SSLmode=%6")
                               .arg(DriverName(), host)
                               .arg(port)
                               .arg(database, user, sslmode));
        if (!db.open()) {
            // The driver's own text (server, port and cause), without Qt's generic prefix.
            message = db.lastError().databaseText();
            if (message.isEmpty())
                message = db.lastError().text();
            qCWarning(lcCatalog).noquote() << "Test of the connection to" << host << "failed:" << message;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return message;
}
