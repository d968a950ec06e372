#pragma once

#include <QString>

class CKivDatabase;

// The one password check of a login, for every way into the program.
namespace KivLogin {

// Whether typed is the password of the user with this ID. ID -1, a user who no longer exists and an
// unreadable catalog never log in. A row that still holds its password in plain text is accepted when
// the typed text matches it exactly, and is stored hashed from then on.
bool Verify(CKivDatabase &db, int userId, const QString &typed);

} // namespace KivLogin
