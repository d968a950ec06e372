#include "app/cli/CliSession.h"

#include "app/cli/CliArgs.h"

#include "core/CodePage.h"
#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "app/session/LoginCheck.h"
#include "browse/Login.h"
#include "catalog/Database.h"
#include "media/MedienListe.h"

#include <QtGlobal>

CliSession::CliSession(QStringList &args)
{
    bool missing = false;
    const QString dsn = takeOption(args, QStringLiteral("--dsn"), &missing);
    const QString user = takeOption(args, QStringLiteral("--user"), &missing);
    QString password = takeOption(args, QStringLiteral("--password"), &missing);
    if (password.isNull())
        password = qEnvironmentVariable("MELVORA_PASSWORD");
    if (missing)
        m_optionError = QStringLiteral("--dsn, --user and --password need a value");

    // Only the values the session needs, copied into a private store: a command never changes the
    // user's settings, and a data source given on the command line stays with this run.
    CKivSettings own;
    m_store = std::make_unique<CKivProfileStore>(m_dir.filePath(QStringLiteral("Melvora.ini")));
    m_settings = std::make_unique<CKivSettings>(*m_store);
    m_settings->SetOdbcAliasname(dsn.isEmpty() ? own.GetOdbcAliasname() : dsn);
    m_settings->SetOdbcUsername(own.GetOdbcUsername());
    m_settings->SetOdbcPasswort(own.GetOdbcPasswort());
    m_settings->SetCdDrive(own.GetCdDrive());
    m_userName = user.isEmpty() ? own.GetUserName() : user;
    m_settings->SetUserName(m_userName);
    m_password = password;
}

CliSession::~CliSession()
{
    // The media and the connection go before the store their settings read.
    m_media.reset();
    m_db.reset();
}

QString CliSession::dataSourceName() const
{
    return m_db ? m_db->DataSourceName() : m_settings->GetOdbcAliasname();
}

int CliSession::Login()
{
    if (!m_optionError.isEmpty())
        return fail(m_optionError, UserError);
    if (!m_dir.isValid())
        return fail(QStringLiteral("no temporary folder"), UserError);
    m_db = std::make_unique<CKivDatabase>(*m_settings);
    if (!m_db->Connect(false))
        return fail(QStringLiteral("cannot connect to data source ") + m_db->DataSourceName(), CatalogUnreachable);

    QString readError;
    m_userId = KivLogin::FindUser(*m_db, m_userName, &readError);
    if (!readError.isEmpty())
        return fail(QStringLiteral("the catalog cannot be read: ") + readError, CatalogUnreachable);
    if (!KivLogin::Verify(*m_db, m_userId, m_password)) {
        m_ui.printError(KivLogin::WrongPasswordCaption() + QStringLiteral(": ") + KivLogin::WrongPasswordText());
        return UserError;
    }
    KivCodePage::setId3v1(KivCodePage::storedId3v1(m_userName));
    m_media = std::make_unique<CKivMedienListe>(m_userId, m_settings->GetCdDrive());
    if (!m_media->Load(*m_db))
        return fail(QStringLiteral("the media of the catalog cannot be read"), CatalogUnreachable);
    return Success;
}

int CliSession::fail(const QString &text, int code)
{
    m_ui.printError(QStringLiteral("melvora-cli: ") + text);
    return code;
}

QString CliSession::takeOption(QStringList &args, const QString &name, bool *missingValue)
{
    return KivCliArgs::takeOption(args, name, missingValue);
}

bool CliSession::takeFlag(QStringList &args, const QString &name)
{
    return KivCliArgs::takeFlag(args, name);
}

QString CliSession::unknownOption(const QStringList &args)
{
    return KivCliArgs::unknownOption(args);
}
