#include "catalog/RsCDs.h"

#include "catalog/SqlQuote.h"

CRsCDs::CRsCDs(CKivDatabase &db) : CKivRecordset(db, QStringLiteral("CDs"))
{
    bind(QStringLiteral("ID"), &m_ID);
    bind(QStringLiteral("MediumID"), &m_MediumID);
    bind(QStringLiteral("HasHeaderFile"), &m_HasHeaderFile);
    bind(QStringLiteral("HasVolumeSize"), &m_HasVolumeSize);
    bind(QStringLiteral("VolumeSize"), &m_VolumeSize);
}

bool CRsCDs::OpenByVolumeSize(const QString &volumeSize)
{
    // The identification text is decimal digits, which quoting leaves as they are; quoting keeps
    // any other text from breaking the statement.
    return openRows(QStringLiteral("VolumeSize='") + SqlQuote(volumeSize) + QLatin1Char('\''));
}

bool CRsCDs::OpenByMediumId(qint32 mediumId)
{
    return openRows(QStringLiteral("MediumID=") + QString::number(mediumId));
}
