#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

class CKivDatabase;
class CKivMedienListe;
class CKivProfileStore;
class CKivSettings;

// One catalog engine of the scan benchmark: a fresh catalog in the data source, a user, his media,
// and synthetic rows for the searches.
class BenchCatalog
{
public:
    explicit BenchCatalog(const QString &dsn);
    ~BenchCatalog();

    // Drops and re-creates the catalog with the user "bench"; false (printed) on failure.
    bool Recreate();

    CKivDatabase &db() { return *m_db; }
    CKivSettings &settings() { return *m_settings; }
    CKivMedienListe &media() { return *m_media; }
    QString dsn() const { return m_dsn; }
    QString engineName() const;
    // The engine's name, with " (LAN)" for a data source reached through the delay proxy (its name
    // ends in "Lan", as bench/*/run.sh register it).
    QString label() const;

    // A medium of the user on folder.
    bool AddMedium(const QString &name, const QString &folder);
    // Rows from..to-1 of the medium "Suche" (which must exist), written by the database itself:
    // artist "Artist" + (n mod 1000) in five digits, so each artist has one row in a thousand.
    bool FillRows(int from, int to);

private:
    QString m_dsn;
    QTemporaryDir m_dir;
    std::unique_ptr<CKivProfileStore> m_store;
    std::unique_ptr<CKivSettings> m_settings;
    std::unique_ptr<CKivDatabase> m_db;
    std::unique_ptr<CKivMedienListe> m_media;
};
