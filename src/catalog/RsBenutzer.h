#pragma once

#include "catalog/Recordset.h"

// The users who may log in (table Benutzer).
class CRsBenutzer : public CKivRecordset
{
public:
    explicit CRsBenutzer(CKivDatabase &db);

    qint32 m_ID = 0;
    QString m_Benutzername;
    QString m_Vorname;
    QString m_Name;
    QString m_Email;
    QString m_Passwort;

    bool OpenById(qint32 id);
};
