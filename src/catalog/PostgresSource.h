#pragma once

#include "catalog/PgPass.h"

#include <QString>
#include <QStringList>

#include <optional>

// A user data source for a catalog on a PostgreSQL server, registered for the PostgreSQL ODBC
// driver: server, port, database, database user and encryption. The password is never part of the
// registration: it goes into the client library's password file (see CKivPgPass).
struct CKivPostgresSource
{
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString sslmode = QStringLiteral("prefer");

    // "HOST[:PORT]/DATABASE", an IPv6 address in brackets ("[::1]:5432/melvora"); nullopt with the
    // reason in error when the text does not read so.
    static std::optional<CKivPostgresSource> Parse(const QString &target, QString *error = nullptr);

    // The encryption modes offered, weakest first.
    static QStringList SslModes();
    static QString DriverName() { return QStringLiteral("PostgreSQL Unicode"); }

    // Empty when every value can be registered, else the reason.
    QString Invalid() const;
    CKivPgPass::Entry PasswordEntry() const { return {host, port, database, user}; }

    // Creates or updates the user data source dsn; false when a value is invalid or the ini cannot
    // be written (the reason in error).
    bool Register(const QString &dsn, QString *error = nullptr) const;

    // Connects once with these values through the driver (the password from the password file, as
    // the registered data source will) and closes again: empty on success, else the driver's message.
    QString TestConnection() const;
};
