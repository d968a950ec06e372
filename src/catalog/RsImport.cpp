#include "catalog/RsImport.h"

#include "catalog/SqlQuote.h"

CRsImport::CRsImport(CKivDatabase &db) : CKivRecordset(db, QStringLiteral("Import"))
{
    bind(QStringLiteral("ID"), &m_ID);
    bind(QStringLiteral("SourceMedium"), &m_SourceMedium);
    bind(QStringLiteral("DestMedium"), &m_DestMedium);
    bind(QStringLiteral("Anlegedatum"), &m_Anlegedatum);
    bind(QStringLiteral("DestFilename"), &m_DestFilename);
    bind(QStringLiteral("DestSubPath"), &m_DestSubPath);
    bind(QStringLiteral("SourceFilename"), &m_SourceFilename);
    bind(QStringLiteral("SourceSubPath"), &m_SourceSubPath);
}

bool CRsImport::OpenById(qint32 id)
{
    return openRows(QStringLiteral("ID=") + QString::number(id));
}

bool CRsImport::OpenByDestSubPath(const QString &destMedium, const QString &subPathText)
{
    return openRows(QStringLiteral("DestMedium='") + SqlQuote(destMedium) +
                    QLatin1String("' AND DestSubPath LIKE'%") + SqlQuote(subPathText) + QLatin1String("%'"));
}

bool CRsImport::OpenBySourceMedium(const QString &mediumName)
{
    return openRows(QStringLiteral("SourceMedium='") + SqlQuote(mediumName) + QLatin1Char('\''));
}

bool CRsImport::OpenByDestMedium(const QString &mediumName)
{
    return openRows(QStringLiteral("DestMedium='") + SqlQuote(mediumName) + QLatin1Char('\''));
}

qint32 CRsImport::AddImport(const QString &sourceMedium, const QString &sourceSubPath,
                            const QString &sourceFilename, const QString &destMedium,
                            const QString &destSubPath, const QString &destFilename)
{
    // No query is run first: the insert itself tells whether the table can be written, and the
    // new ID comes from the database for exactly this row.
    Close();
    AddNew();
    m_SourceMedium = storedText(sourceMedium);
    m_SourceSubPath = storedText(sourceSubPath);
    m_SourceFilename = storedText(sourceFilename);
    m_DestMedium = storedText(destMedium);
    m_DestSubPath = storedText(destSubPath);
    m_DestFilename = storedText(destFilename);
    m_Anlegedatum = QDateTime::currentDateTime();
    return Update() ? m_ID : -1;
}
