#include "app/session/ConnectionForm.h"

#include "core/Settings.h"
#include "core/UserInterface.h"
#include "catalog/Database.h"

CKivConnectionForm::CKivConnectionForm(CKivSettings &settings, CKivDatabase &db)
    : m_settings(settings)
    , m_db(db)
    , m_status(NotConnectedText())
{
}

void CKivConnectionForm::UpdateStatus()
{
    m_status = m_db.IsOpen() ? ConnectedText() : NotConnectedText();
}

bool CKivConnectionForm::Open()
{
    m_aliasname = m_settings.GetOdbcAliasname();
    if (m_aliasname.isEmpty())
        m_aliasname = QStringLiteral("Melvora");
    m_username = m_settings.GetOdbcUsername();
    m_passwort = m_settings.GetOdbcPasswort();
    return !m_db.Connect(false);
}

bool CKivConnectionForm::Accept()
{
    m_settings.SetOdbcAliasname(m_aliasname);
    m_settings.SetOdbcUsername(m_username);
    m_settings.SetOdbcPasswort(m_passwort);
    if (!m_db.Connect(false)) {
        kivUi().showMessage(
            QStringLiteral("Datenbankverbindung kann nicht hergestellt werden! Die Verbindungsdaten sind ungültig !"),
            QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return false;
    }
    // A connection that was open before the dialog keeps its old values until the next start.
    if (m_status == ConnectedText())
        kivUi().showMessage(
            QStringLiteral("Die Änderungen der Verbindung wird erst nach dem Neustart des Programms wirksamm."),
            QStringLiteral("Warnung !"), KivIcon::Exclamation);
    return true;
}

bool CKivConnectionForm::ChooseFile(const QString &path)
{
    const bool ok = CKivDatabase::RegisterDataSource(m_aliasname, path);
    kivUi().showMessage(CKivDatabase::RegisterResultText(ok), CKivDatabase::RegisterResultCaption(), KivIcon::None);
    return ok;
}

QString CKivConnectionForm::FileFilter()
{
    // The catalog is a SQLite file here; the dialog offers those under the program's own label.
    return QStringLiteral("Melvora Datenbank (*.db)");
}
