#pragma once

#include "catalog/Recordset.h"

// Where one user finds one medium (table MedienUser).
class CRsMedienUser : public CKivRecordset
{
public:
    explicit CRsMedienUser(CKivDatabase &db);

    qint32 m_ID = 0;
    qint32 m_MediumID = 0;
    qint32 m_UserID = 0;
    QString m_Computername;
    qint32 m_DriveType = 0;
    QString m_Drive;
    QString m_Path;
    qint32 m_Offline = 0;

    bool OpenByMediumAndUser(qint32 mediumId, qint32 userId);
    bool OpenByUser(qint32 userId);
    bool OpenByMediumId(qint32 mediumId);
};
