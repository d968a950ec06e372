#pragma once

#include <QString>

class CKivDatabase;

// Finding the user of a login by name, and what a failed login says. The password itself is checked
// by KivLogin::Verify (app/session/LoginCheck.h), against the stored hash.
namespace KivLogin {

// The ID of the user with exactly this name (the first in table order); -1 when there is none or
// the catalog cannot be read. readError, when given, gets the driver's text of a catalog that could
// not be read (and stays empty for a name that is not there).
int FindUser(CKivDatabase &db, const QString &userName, QString *readError = nullptr);

// What a failed login tells the user.
QString WrongPasswordText();
QString WrongPasswordCaption();

} // namespace KivLogin
