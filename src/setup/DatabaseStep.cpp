#include "setup/DatabaseStep.h"

#include "core/ProfileStore.h"
#include "core/Settings.h"
#include "core/UserInterface.h"
#include "catalog/PasswordHash.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "catalog/SqlQuote.h"
#include "setup/SetupLog.h"

namespace {

QString caption()
{
    return QStringLiteral("Kiv Setup");
}

} // namespace

CKivDatabaseStep::CKivDatabaseStep(const QString &title, const QString &databaseFile,
                                   const QString &dataSourceName, const FirstUser &user)
    : CKivInstallStep(title)
    , m_databaseFile(databaseFile)
    , m_dataSourceName(dataSourceName)
    , m_user(user)
{
}

CKivDatabaseStep::~CKivDatabaseStep() = default;

bool CKivDatabaseStep::Begin()
{
    setUnits(4);
    setCurrentUnit(0);
    return true;
}

bool CKivDatabaseStep::stop(const QString &message)
{
    kivUi().showMessage(message, caption(), KivIcon::Exclamation);
    addFailure(Status());
    setCurrentUnit(Units());
    m_db.reset();
    return false;
}

bool CKivDatabaseStep::Next()
{
    const int unit = CurrentUnit();
    setCurrentUnit(unit + 1);
    switch (unit) {
    case 0:
        setStatus(QStringLiteral("ODBC Verbindung wird eingerichtet."));
        if (!CKivDatabase::RegisterDataSource(m_dataSourceName, m_databaseFile))
            return stop(QStringLiteral("Beim einrichten der ODBC Verbindung ist ein Fehler aufgetreten. Datenbank "
                                       "kann nicht eingerichtet werden."));
        return true;
    case 1:
        setStatus(QStringLiteral("Datenbankverbindung wird hergestellt."));
        if (!connect())
            return stop(QStringLiteral("Beim öffnen der Datenbank ist ein fehler aufgetreten. Datenbank kann nicht "
                                       "geöffnet werden."));
        return true;
    case 2:
        setStatus(QStringLiteral("Benutzerdaten werden in der Datenbank gespeichert."));
        if (!storeUser())
            return stop(QStringLiteral("Beim öffnen der Benutzerdatenbank ist ein fehler aufgetreten. Benutzer kann "
                                       "nicht angelegt werden."));
        return true;
    case 3:
        setStatus(QStringLiteral("Datenbank und Benutzer wurden erfolgreich eingerichtet."));
        m_db.reset();
        return false;
    default:
        return false;
    }
}

bool CKivDatabaseStep::connect()
{
    if (!m_dir.isValid())
        return false;
    m_store = std::make_unique<CKivProfileStore>(m_dir.filePath(QStringLiteral("Setup-Verbindung.ini")));
    m_settings = std::make_unique<CKivSettings>(*m_store);
    m_settings->SetOdbcAliasname(m_dataSourceName);
    m_db = std::make_unique<CKivDatabase>(*m_settings);
    if (m_db->Connect(false))
        return true;
    // Setup's copy of the connection tells the user itself, instead of offering the dialog.
    kivUi().showMessage(QStringLiteral("Beim öffnen der Datenbank ist ein Fehler aufgetreten."),
                        QStringLiteral("Setup"), KivIcon::Exclamation);
    return false;
}

bool CKivDatabaseStep::storeUser()
{
    const std::optional<QString> password = KivPassword::Hash(m_user.password);
    if (!password || !m_db)
        return false;
    CRsBenutzer user(*m_db);
    user.m_strFilter = QStringLiteral("Benutzername='") + SqlQuote(m_user.userName) + QLatin1Char('\'');
    if (!user.Open())
        return false;
    if (!user.IsEOF()) {
        if (!user.Edit())
            return false;
    } else {
        user.AddNew();
        user.m_Benutzername = m_user.userName;
    }
    user.m_Vorname = m_user.firstName;
    user.m_Name = m_user.surname;
    user.m_Email = m_user.email;
    user.m_Passwort = *password;
    if (!user.Update()) {
        qCWarning(lcSetup).noquote() << "Writing the first user failed:" << user.lastError();
        return false;
    }
    return true;
}
