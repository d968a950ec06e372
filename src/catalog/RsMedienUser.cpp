#include "catalog/RsMedienUser.h"

CRsMedienUser::CRsMedienUser(CKivDatabase &db) : CKivRecordset(db, QStringLiteral("MedienUser"))
{
    bind(QStringLiteral("ID"), &m_ID);
    bind(QStringLiteral("MediumID"), &m_MediumID);
    bind(QStringLiteral("UserID"), &m_UserID);
    bind(QStringLiteral("Computername"), &m_Computername);
    bind(QStringLiteral("DriveType"), &m_DriveType);
    bind(QStringLiteral("Drive"), &m_Drive);
    bind(QStringLiteral("Path"), &m_Path);
    bind(QStringLiteral("Offline"), &m_Offline);
}

bool CRsMedienUser::OpenByMediumAndUser(qint32 mediumId, qint32 userId)
{
    return openRows(QStringLiteral("MediumID=") + QString::number(mediumId) + QLatin1String(" AND UserID=") +
                    QString::number(userId));
}

bool CRsMedienUser::OpenByUser(qint32 userId)
{
    return openRows(QStringLiteral("UserID=") + QString::number(userId));
}

bool CRsMedienUser::OpenByMediumId(qint32 mediumId)
{
    return openRows(QStringLiteral("MediumID=") + QString::number(mediumId));
}
