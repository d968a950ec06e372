#pragma once

#include "core/ConsoleUi.h"

#include <QStringList>
#include <QTemporaryDir>

#include <memory>

class CKivDatabase;
class CKivMedienListe;
class CKivProfileStore;
class CKivSettings;

// A login of melvora-cli: the options "--dsn NAME", "--user NAME" and "--password TEXT" (taken out of
// the arguments), the catalog connection and the user's media set. Without "--dsn" the data source
// of the user's settings is used, without "--user" the user last chosen there, and without
// "--password" the environment variable MELVORA_PASSWORD (else an empty password). The user's
// settings are only read: the session works on a private copy of the values it needs.
//
// Exit codes of the commands: 0 success, 1 user error (message on stderr), 2 catalog unreachable.
class CliSession
{
public:
    enum Exit { Success = 0, UserError = 1, CatalogUnreachable = 2 };

    // Takes the login options out of args.
    explicit CliSession(QStringList &args);
    ~CliSession();
    CliSession(const CliSession &) = delete;
    CliSession &operator=(const CliSession &) = delete;

    // Connects and checks the password as the login dialog does; then reads the user's media.
    // Returns Success or the exit code to end with (the reason already printed).
    int Login();

    CKivConsoleUi &ui() { return m_ui; }
    CKivSettings &settings() { return *m_settings; }
    CKivDatabase &db() { return *m_db; }
    CKivMedienListe &media() { return *m_media; }
    int userId() const { return m_userId; }
    QString userName() const { return m_userName; }
    QString dataSourceName() const;

    // Prints "melvora-cli: text" on stderr and returns code.
    int fail(const QString &text, int code);

    // The option helpers of KivCliArgs (options end at "--").
    static QString takeOption(QStringList &args, const QString &name, bool *missingValue = nullptr);
    static bool takeFlag(QStringList &args, const QString &name);
    static QString unknownOption(const QStringList &args);

private:
    CKivConsoleUi m_ui;
    QTemporaryDir m_dir;
    std::unique_ptr<CKivProfileStore> m_store;
    std::unique_ptr<CKivSettings> m_settings;
    std::unique_ptr<CKivDatabase> m_db;
    std::unique_ptr<CKivMedienListe> m_media;
    QString m_userName;
    QString m_password;
    QString m_optionError;
    int m_userId = -1;
};
