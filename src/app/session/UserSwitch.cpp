#include "app/session/UserSwitch.h"

#include "core/UserInterface.h"
#include "catalog/Database.h"

bool CKivUserSwitch::Run(CKivDatabase &db) const
{
    // Without a connection the login dialog still opens: its list is empty then.
    if (!db.Connect(true))
        kivUi().showMessage(NoConnectionText(), NoConnectionCaption(), KivIcon::Stop);
    if (isImporting && isImporting()) {
        kivUi().showMessage(ImportingText(), ImportingCaption(), KivIcon::Exclamation);
        return false;
    }
    const std::optional<Login> login = runLoginDialog ? runLoginDialog() : std::nullopt;
    if (!login)
        return false;
    if (loggedIn)
        loggedIn(*login);
    return true;
}

QString CKivUserSwitch::NoConnectionText()
{
    return QStringLiteral("Dokument kann nicht erstellt werden, da keine Verbindung\nzur Datenbank hergestellt "
                          "werden kann !");
}

QString CKivUserSwitch::NoConnectionCaption()
{
    return QStringLiteral("Datenbank Fehler");
}

QString CKivUserSwitch::ImportingText()
{
    return QStringLiteral("Sie können keinen Benutzerwechsel durchführen,\n und gleichzeitig Mp3's importieren!");
}

QString CKivUserSwitch::ImportingCaption()
{
    return QStringLiteral("Benutzerwechsel nicht möglich !");
}
