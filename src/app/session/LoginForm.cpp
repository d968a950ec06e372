#include "app/session/LoginForm.h"

#include "core/Settings.h"
#include "core/UserInterface.h"
#include "app/session/LoginCheck.h"
#include "catalog/CatalogErrorWatch.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"

CKivLoginForm::CKivLoginForm(CKivSettings &settings, CKivDatabase &db)
    : m_settings(settings)
    , m_db(db)
{
}

void CKivLoginForm::Refill()
{
    const QString lastName = m_settings.GetUserName();
    m_entries.clear();
    m_current = -1;
    // Without a connection there is nobody to list, and nothing is asked of the catalog.
    m_readError.clear();
    if (m_db.IsOpen()) {
        CRsBenutzer users(m_db);
        if (users.Open()) {
            for (; !users.IsEOF(); users.MoveNext())
                m_entries.append({users.m_Benutzername, users.m_ID});
        } else {
            m_readError = users.lastError();
        }
    }
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).name.startsWith(lastName, Qt::CaseInsensitive)) {
            Select(i);
            return;
        }
    }
}

void CKivLoginForm::Select(int index)
{
    if (index < 0 || index >= m_entries.size()) {
        m_current = -1;
        m_userId = -1;
        m_userName.clear();
        return;
    }
    m_current = index;
    m_userName = m_entries.at(index).name;
    m_userId = m_entries.at(index).id;
    // Remembered before any password is compared: the per-user settings follow this name.
    m_settings.SetUserName(m_userName);
}

bool CKivLoginForm::Accept(const QString &typed)
{
    // A catalog that cannot be read is no wrong password.
    if (!m_readError.isEmpty()) {
        CKivCatalogErrorWatch::Report(m_readError);
        return false;
    }
    if (m_userId != -1 && KivLogin::Verify(m_db, m_userId, typed))
        return true;
    kivUi().showMessage(WrongPasswordText(), WrongPasswordCaption(), KivIcon::Stop);
    return false;
}

QString CKivLoginForm::WrongPasswordText()
{
    return QStringLiteral("Das von Ihnen eingegebene Paßwort ist Falsch.\nBitte überprüfen Sie Ihre Eingabe !");
}

QString CKivLoginForm::WrongPasswordCaption()
{
    return QStringLiteral("Falsches Paßwort !");
}
