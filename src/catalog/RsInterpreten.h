#pragma once

#include "catalog/Recordset.h"

// The reference list of artists delivered with the catalog (table Interpreten).
class CRsInterpreten : public CKivRecordset
{
public:
    explicit CRsInterpreten(CKivDatabase &db);

    qint32 m_InterpretID = 0;
    QString m_Interpret;
    QString m_Zusatz;
};
