#pragma once

#include "catalog/Recordset.h"

// One row per medium of the catalog, shared by all users (table MedienNamen).
class CRsMedienNamen : public CKivRecordset
{
public:
    explicit CRsMedienNamen(CKivDatabase &db);

    qint32 m_ID = 0;
    QString m_Mediumname;
    qint32 m_CDRomID = 0;

    bool OpenById(qint32 id);
    bool OpenByName(const QString &mediumName);
};
