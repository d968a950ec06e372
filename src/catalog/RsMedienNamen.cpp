#include "catalog/RsMedienNamen.h"

#include "catalog/SqlQuote.h"

CRsMedienNamen::CRsMedienNamen(CKivDatabase &db) : CKivRecordset(db, QStringLiteral("MedienNamen"))
{
    bind(QStringLiteral("ID"), &m_ID);
    bind(QStringLiteral("Mediumname"), &m_Mediumname);
    bind(QStringLiteral("CDRomID"), &m_CDRomID);
}

bool CRsMedienNamen::OpenById(qint32 id)
{
    return openRows(QStringLiteral("ID=") + QString::number(id));
}

bool CRsMedienNamen::OpenByName(const QString &mediumName)
{
    return openRows(QStringLiteral("Mediumname='") + SqlQuote(mediumName) + QLatin1Char('\''));
}
