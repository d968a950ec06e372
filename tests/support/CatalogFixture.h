#pragma once

#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "catalog/Database.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

// A freshly created catalog on the engine the test run selects (MELVORA_TEST_DSN, set per engine
// by CTest), with settings in a throw-away profile store that name that data source.
class CatalogFixture
{
public:
    // Call first in main: points the ODBC driver manager at a private copy of the test odbc.ini, so
    // that tests may register data sources without touching the shared file. False when the test
    // environment (ODBCINI) is missing.
    static bool isolateOdbcIni();
    static QString dataSourceName();

    CatalogFixture();
    ~CatalogFixture();

    // Drops and re-creates the catalog tables, then connects. False (with a warning) on failure.
    bool recreate();

    CKivSettings &settings() { return *m_settings; }
    CKivDatabase &db() { return *m_db; }
    bool isPostgres() const;
    // Adds a user whose password column holds storedPassword exactly (hashed or not); its ID, 0 on
    // failure. First name, surname and e-mail are made from the name.
    int addUser(const QString &name, const QString &storedPassword = QString());
    // The password column of a user as stored; a null text when the row is missing.
    QString storedPassword(int id);
    // A folder for the test's own files.
    QString scratchPath(const QString &name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    std::unique_ptr<CKivProfileStore> m_store;
    std::unique_ptr<CKivSettings> m_settings;
    std::unique_ptr<CKivDatabase> m_db;
};
