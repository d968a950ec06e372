#include "catalog/RsBenutzer.h"

CRsBenutzer::CRsBenutzer(CKivDatabase &db) : CKivRecordset(db, QStringLiteral("Benutzer"))
{
    bind(QStringLiteral("ID"), &m_ID);
    bind(QStringLiteral("Benutzername"), &m_Benutzername);
    bind(QStringLiteral("Vorname"), &m_Vorname);
    bind(QStringLiteral("Name"), &m_Name);
    bind(QStringLiteral("Email"), &m_Email);
    bind(QStringLiteral("Passwort"), &m_Passwort);
}

bool CRsBenutzer::OpenById(qint32 id)
{
    return openRows(QStringLiteral("ID=") + QString::number(id));
}
