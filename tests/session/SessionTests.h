#pragma once

#include "catalog/RsBenutzer.h"

#include <QString>

// Each test class of the session test program, run in turn by main(); each returns QTest's status.
int runPasswordTest(int argc, char **argv);
int runLoginTest(int argc, char **argv);
int runUserAdminTest(int argc, char **argv);
int runConnectionTest(int argc, char **argv);

// Adds a user row with the password column exactly as given; returns its ID (0 on failure).
inline int addUser(CKivDatabase &db, const QString &name, const QString &storedPassword = QString())
{
    CRsBenutzer user(db);
    user.AddNew();
    user.m_Benutzername = name;
    user.m_Vorname = QStringLiteral("Vor ") + name;
    user.m_Name = QStringLiteral("Nach ") + name;
    user.m_Email = name + QStringLiteral("@example.org");
    user.m_Passwort = storedPassword.isNull() ? QStringLiteral("") : storedPassword;
    return user.Update() ? user.m_ID : 0;
}

// The password column of a user as stored; a null text when the row is missing.
inline QString storedPassword(CKivDatabase &db, int id)
{
    CRsBenutzer user(db);
    return user.OpenById(id) ? user.m_Passwort : QString();
}
