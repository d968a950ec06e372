#include "app/session/UserAdminForm.h"

#include "core/UserInterface.h"
#include "catalog/PasswordHash.h"
#include "app/session/SessionLog.h"
#include "catalog/Database.h"
#include "catalog/RsBenutzer.h"
#include "catalog/RsMedienUser.h"

CKivUserAdminForm::CKivUserAdminForm(CKivDatabase &db)
    : m_db(db)
{
}

void CKivUserAdminForm::clearFields()
{
    for (QString &text : m_text)
        text.clear();
    m_passwordEdited = false;
}

void CKivUserAdminForm::Refill()
{
    ++m_refills;
    m_entries.clear();
    if (m_db.IsOpen()) {
        CRsBenutzer users(m_db);
        if (users.Open()) {
            // Each row goes to the top: the newest user is listed first.
            for (; !users.IsEOF(); users.MoveNext())
                m_entries.prepend({users.m_Benutzername, users.m_ID});
        }
    }
    clearFields();
    m_storedPassword.clear();
    m_currentId = -1;
    m_enabled.fill(false);
    m_deleteEnabled = false;
}

bool CKivUserAdminForm::SetText(Field field, const QString &text)
{
    if (!m_enabled.at(field))
        return false;
    m_text[field] = text;
    if (field == Password)
        m_passwordEdited = true;
    return true;
}

void CKivUserAdminForm::New()
{
    clearFields();
    m_enabled = {true, true, true, true, true, false};
    m_currentId = 0;
}

void CKivUserAdminForm::insertNewUser()
{
    const std::optional<QString> password = KivPassword::Hash(m_text.at(Password));
    if (password) {
        CRsBenutzer user(m_db);
        user.AddNew();
        user.m_Benutzername = m_text.at(UserName);
        user.m_Vorname = m_text.at(FirstName);
        user.m_Name = m_text.at(Surname);
        user.m_Email = m_text.at(Email);
        user.m_Passwort = *password;
        if (!user.Update())
            qCWarning(lcSession).noquote() << "Adding a user failed:" << user.lastError();
    }
    m_currentId = -1;
    Refill();
}

CKivUserAdminForm::StoreResult CKivUserAdminForm::storeLoadedUser()
{
    CRsBenutzer user(m_db);
    if (!user.OpenById(m_currentId))
        return user.lastError().isEmpty() ? StoreResult::Missing : StoreResult::Failed;

    // The stored password stays unless the field was edited; one still in plain text is hashed.
    QString password = user.m_Passwort;
    if (m_passwordEdited || (!password.isEmpty() && !KivPassword::IsHashed(password))) {
        const std::optional<QString> hash = KivPassword::Hash(m_passwordEdited ? m_text.at(Password) : password);
        if (!hash)
            return StoreResult::Failed;
        password = *hash;
    }
    if (!user.Edit())
        return StoreResult::Failed;
    user.m_Benutzername = m_text.at(UserName);
    user.m_Vorname = m_text.at(FirstName);
    user.m_Name = m_text.at(Surname);
    user.m_Email = m_text.at(Email);
    user.m_Passwort = password;
    if (!user.Update()) {
        qCWarning(lcSession).noquote() << "Storing user" << m_currentId << "failed:" << user.lastError();
        return StoreResult::Failed;
    }
    m_storedPassword = password;
    return StoreResult::Stored;
}

void CKivUserAdminForm::Save()
{
    if (m_currentId == 0) {
        insertNewUser();
        return;
    }
    if (m_currentId > 0)
        storeLoadedUser();
    Refill();
}

void CKivUserAdminForm::Click(int selectedId)
{
    if (selectedId < 0)
        return;
    if (m_currentId == 0) {
        insertNewUser();
        return;
    }
    if (m_currentId > 0 && storeLoadedUser() != StoreResult::Stored)
        return;
    load(selectedId);
}

bool CKivUserAdminForm::load(int id)
{
    CRsBenutzer user(m_db);
    if (!user.OpenById(id))
        return false;
    m_text[UserName] = user.m_Benutzername;
    m_text[FirstName] = user.m_Vorname;
    m_text[Surname] = user.m_Name;
    m_text[Email] = user.m_Email;
    m_text[Password].clear();  // never shown back, not even as its hash
    m_text[OldPassword].clear();
    m_passwordEdited = false;
    m_storedPassword = user.m_Passwort;
    m_currentId = id;
    m_enabled[UserName] = false;  // a user name cannot be changed
    setUnlocked(m_storedPassword.isEmpty());
    return true;
}

void CKivUserAdminForm::setUnlocked(bool unlocked)
{
    for (Field field : {FirstName, Surname, Email, Password})
        m_enabled[field] = unlocked;
    m_deleteEnabled = unlocked;
    m_enabled[OldPassword] = !unlocked;
}

bool CKivUserAdminForm::CheckOldPassword()
{
    if (m_currentId <= 0 || !m_enabled.at(OldPassword))
        return m_currentId > 0 && m_deleteEnabled;
    if (!KivPassword::Verify(m_storedPassword, m_text.at(OldPassword)))
        return false;
    setUnlocked(true);
    return true;
}

void CKivUserAdminForm::Delete()
{
    if (!m_deleteEnabled)
        return;
    CRsMedienUser media(m_db);
    if (media.OpenByUser(m_currentId)) {
        kivUi().showMessage(MediaAssignedText(), MediaAssignedCaption(), KivIcon::Exclamation);
        return;
    }
    if (!media.lastError().isEmpty())
        return;  // whether media are assigned is unknown: nothing is deleted
    if (m_currentId <= 0)
        return;
    CRsBenutzer user(m_db);
    if (!user.OpenById(m_currentId))
        return;
    if (!user.Delete()) {
        qCWarning(lcSession).noquote() << "Deleting user" << m_currentId << "failed:" << user.lastError();
        return;
    }
    m_currentId = -1;
    Refill();
}

QString CKivUserAdminForm::MediaAssignedText()
{
    return QStringLiteral("Der Benutzer kann nicht gelöscht werden. Löschen Sie\nbitte zuvor alle Medien des Benutzers !");
}

QString CKivUserAdminForm::MediaAssignedCaption()
{
    return QStringLiteral("Warnung !");
}
