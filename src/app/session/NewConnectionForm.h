#pragma once

#include "catalog/PostgresSource.h"

#include <QString>
#include <QStringList>

// What the dialog "Neue Verbindung" decides, without its widgets: a data source for a catalog on a
// PostgreSQL server (name, server, port, database, user, password, encryption). "OK" checks the
// values, puts the password into the user's password file (never into odbc.ini or the profile),
// tests the connection and, when the server accepts it, registers the data source. Every refusal
// is told through the core's user interface, a failed test with the driver's own message.
class CKivNewConnectionForm
{
public:
    explicit CKivNewConnectionForm(const QString &dataSourceName);

    QString DataSourceName() const { return m_dsn; }
    void SetDataSourceName(const QString &v) { m_dsn = v.trimmed(); }
    CKivPostgresSource &Source() { return m_source; }
    const CKivPostgresSource &Source() const { return m_source; }
    void SetPort(const QString &text);
    QString PortText() const { return m_portText; }
    QString Password() const { return m_password; }
    void SetPassword(const QString &v) { m_password = v; }

    // The encryption choices as the dialog lists them (German), in the order of the modes.
    static QStringList SslModeLabels();
    int SslModeIndex() const;
    void SetSslModeIndex(int index);

    // "OK": true when the data source is registered and reachable; the dialog may close.
    bool Accept();

    static QString Caption() { return QStringLiteral("Neue Verbindung"); }
    static QString MissingValuesText();
    static QString TestFailedText(const QString &driverText);

private:
    bool refuse(const QString &text);

    QString m_dsn;
    CKivPostgresSource m_source;
    QString m_portText;
    QString m_password;
};
