#include "catalog/RsInterpreten.h"

CRsInterpreten::CRsInterpreten(CKivDatabase &db)
    : CKivRecordset(db, QStringLiteral("Interpreten"), QStringLiteral("InterpretID"))
{
    bind(QStringLiteral("InterpretID"), &m_InterpretID);
    bind(QStringLiteral("Interpret"), &m_Interpret);
    bind(QStringLiteral("Zusatz"), &m_Zusatz);
}
