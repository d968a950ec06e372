#pragma once

#include "setup/InstallStep.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

class CKivDatabase;
class CKivProfileStore;
class CKivSettings;

// The step that sets the catalog up for the program: registers the data source for the catalog file,
// connects through it, and writes the first user into table Benutzer (updating a user of that name
// that exists already). Each failure is told to the user and ends the step.
class CKivDatabaseStep : public CKivInstallStep
{
public:
    struct FirstUser
    {
        QString userName;
        QString firstName;
        QString surname;
        QString email;
        QString password;  // as typed; stored hashed
    };

    CKivDatabaseStep(const QString &title, const QString &databaseFile, const QString &dataSourceName,
                     const FirstUser &user);
    ~CKivDatabaseStep() override;

    bool Begin() override;
    bool Next() override;

private:
    bool connect();
    bool storeUser();
    bool stop(const QString &message);

    QString m_databaseFile;
    QString m_dataSourceName;
    FirstUser m_user;
    // The step's own connection, on settings that name only this data source.
    QTemporaryDir m_dir;
    std::unique_ptr<CKivProfileStore> m_store;
    std::unique_ptr<CKivSettings> m_settings;
    std::unique_ptr<CKivDatabase> m_db;
};
