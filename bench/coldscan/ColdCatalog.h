#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

class CKivDatabase;
class CKivMedienListe;
class CKivProfileStore;
class CKivSettings;

// The catalog the cold scan benchmark needs for a scan's first phase: a fresh catalog in one data
// source, the user "bench" and his media.
class ColdCatalog
{
public:
    explicit ColdCatalog(const QString &dsn);
    ~ColdCatalog();

    // Drops and re-creates the catalog with its user; false (printed) on failure.
    bool Recreate();
    // A medium of the user on folder; false (printed) on failure.
    bool AddMedium(const QString &name, const QString &folder);

    CKivDatabase &db() { return *m_db; }
    CKivSettings &settings() { return *m_settings; }
    CKivMedienListe &media() { return *m_media; }

private:
    QString m_dsn;
    QTemporaryDir m_dir;
    std::unique_ptr<CKivProfileStore> m_store;
    std::unique_ptr<CKivSettings> m_settings;
    std::unique_ptr<CKivDatabase> m_db;
    std::unique_ptr<CKivMedienListe> m_media;
};
