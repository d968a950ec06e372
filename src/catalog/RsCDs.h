#pragma once

#include "catalog/Recordset.h"

// How a CD medium is recognised when it is inserted (table CDs).
class CRsCDs : public CKivRecordset
{
public:
    explicit CRsCDs(CKivDatabase &db);

    qint32 m_ID = 0;
    qint32 m_MediumID = 0;
    qint32 m_HasHeaderFile = 0;
    qint32 m_HasVolumeSize = 0;
    QString m_VolumeSize;

    bool OpenByVolumeSize(const QString &volumeSize);
    bool OpenByMediumId(qint32 mediumId);
};
