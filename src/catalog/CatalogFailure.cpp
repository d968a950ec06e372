#include "catalog/CatalogFailure.h"

#include <initializer_list>

namespace KivCatalogFailure {

namespace {

bool containsAny(const QString &text, std::initializer_list<const char *> needles)
{
    for (const char *needle : needles) {
        if (text.contains(QLatin1String(needle), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace

// The texts are SQLite's own messages and PostgreSQL's and its ODBC driver's; the native codes of
// the two drivers overlap, so they decide nothing.
Kind classify(const QString &text)
{
    if (containsAny(text, {"database or disk is full", "no space left on device", "could not extend file"}))
        return Kind::DiskFull;
    if (containsAny(text, {"readonly database", "read-only transaction"}))
        return Kind::ReadOnly;
    if (containsAny(text, {"server closed the connection", "no connection to the server", "could not send data",
                           "could not receive data", "terminating connection", "connection not open",
                           "connection is not open", "communication link failure", "connection lost",
                           "connection reset", "broken pipe", "connection refused", "connection to server",
                           "no catalog connection"}))
        return Kind::ConnectionLost;
    if (containsAny(text, {"disk i/o error", "database disk image is malformed", "file is not a database",
                           "unable to open database file"}))
        return Kind::StorageError;
    if (containsAny(text, {"no such table", "no such column"})
        || (text.contains(QLatin1String("does not exist"), Qt::CaseInsensitive)
            && containsAny(text, {"relation", "column"})))
        return Kind::MissingTable;
    return Kind::None;
}

QString describe(Kind kind)
{
    switch (kind) {
    case Kind::DiskFull:
        return QStringLiteral("Der Speicherplatz der Datenbank ist erschöpft.");
    case Kind::ReadOnly:
        return QStringLiteral("Die Datenbank ist schreibgeschützt.");
    case Kind::StorageError:
        return QStringLiteral("Die Datenbankdatei kann nicht gelesen oder geschrieben werden.");
    case Kind::ConnectionLost:
        return QStringLiteral("Die Verbindung zur Datenbank ist unterbrochen.");
    case Kind::MissingTable:
        return QStringLiteral("Der Datenbank fehlt eine Tabelle oder Spalte des Katalogs.");
    case Kind::None:
        break;
    }
    return QString();
}

bool isNoActiveTransaction(const QString &text)
{
    return containsAny(text, {"no transaction is active", "no transaction in progress"});
}

} // namespace KivCatalogFailure
