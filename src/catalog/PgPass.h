#pragma once

#include <QString>

// The PostgreSQL client library's password file (~/.pgpass, or the file PGPASSFILE names): one line
// "host:port:database:user:password" per server login, with ":" and "\" escaped by "\". The driver
// reads it when a data source names no password, so a shared catalog's password lives only here.
class CKivPgPass
{
public:
    struct Entry
    {
        QString host;
        int port = 5432;
        QString database;
        QString user;
    };

    // PGPASSFILE when set, else ".pgpass" in the home folder.
    static QString DefaultPath();

    // Adds the entry's line with password, or replaces the line of the same host, port, database and
    // user; other lines stay as they are. The file is replaced whole and is readable by its owner
    // only (mode 600) from the moment it exists. False with a reason in error on failure.
    static bool Store(const QString &path, const Entry &entry, const QString &password, QString *error = nullptr);

    // The password of the line matching the entry exactly; a null text when none matches.
    static QString Lookup(const QString &path, const Entry &entry);

    // One field as the file writes it.
    static QString Escape(const QString &field);
};
