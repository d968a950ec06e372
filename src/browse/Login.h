#pragma once

#include <QString>

class CKivDatabase;

// The password check of a login, in one place for every way into the program (the login dialog,
// the command-line tool): the stored password of the user and the typed one must be equal exactly.
namespace KivLogin {

// The ID of the user with exactly this name (the first in table order); -1 when there is none or
// the catalog cannot be read.
int FindUser(CKivDatabase &db, const QString &userName);

// Whether typed is the stored password of the user. An unknown user or ID -1 never logs in.
bool CheckPassword(CKivDatabase &db, int userId, const QString &typed);

// What a failed login tells the user.
QString WrongPasswordText();
QString WrongPasswordCaption();

} // namespace KivLogin
