#include "browse/Login.h"

#include "catalog/RsBenutzer.h"
#include "catalog/SqlQuote.h"

int KivLogin::FindUser(CKivDatabase &db, const QString &userName, QString *readError)
{
    CRsBenutzer users(db);
    users.m_strFilter = QStringLiteral("Benutzername='") + SqlQuote(userName) + QLatin1Char('\'');
    if (!users.Open()) {
        if (readError)
            *readError = users.lastError();
        return -1;
    }
    if (users.IsEOF())
        return -1;
    // The database may compare without regard to case: only the exact name counts.
    for (; !users.IsEOF(); users.MoveNext()) {
        if (users.m_Benutzername == userName)
            return users.m_ID;
    }
    return -1;
}

QString KivLogin::WrongPasswordText()
{
    return QStringLiteral("Das von Ihnen eingegebene Paßwort ist Falsch.\nBitte überprüfen Sie Ihre Eingabe !");
}

QString KivLogin::WrongPasswordCaption()
{
    return QStringLiteral("Falsches Paßwort !");
}
