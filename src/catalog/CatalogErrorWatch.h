#pragma once

#include <QString>

class CKivDatabase;

// Watches one user command on the catalog connection: when a catalog read or write failed while the
// command ran, the user is told once, at the end, with the driver's text ("Datenbank Fehler"). The
// command itself keeps list, file and row as they were. A connection lost to a shared catalog's
// server is named in that message, and the next command connects again.
class CKivCatalogErrorWatch
{
public:
    explicit CKivCatalogErrorWatch(CKivDatabase &db);
    ~CKivCatalogErrorWatch();
    CKivCatalogErrorWatch(const CKivCatalogErrorWatch &) = delete;
    CKivCatalogErrorWatch &operator=(const CKivCatalogErrorWatch &) = delete;

    // Whether a catalog operation failed since the watch began.
    bool Failed() const;

    // Tells the user about a failed catalog operation with the driver's text.
    static void Report(const QString &driverText);
    static QString Caption();
    // The message when the connection to the data source was lost: its name and the driver's text.
    static QString LostConnectionText(const QString &dataSource, const QString &driverText);

private:
    CKivDatabase &m_db;
    quint64 m_errorsAtStart;
    bool m_outermost;
};
