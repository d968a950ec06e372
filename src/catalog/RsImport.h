#pragma once

#include "catalog/Recordset.h"

// One row per pending import of a file: where it is and where it is to be copied (table Import).
class CRsImport : public CKivRecordset
{
public:
    explicit CRsImport(CKivDatabase &db);

    qint32 m_ID = 0;
    QString m_SourceMedium;
    QString m_DestMedium;
    QDateTime m_Anlegedatum;
    QString m_DestFilename;
    QString m_DestSubPath;
    QString m_SourceFilename;
    QString m_SourceSubPath;

    bool OpenById(qint32 id);
    // Imports whose destination sub-path contains the text anywhere.
    bool OpenByDestSubPath(const QString &destMedium, const QString &subPathText);
    bool OpenBySourceMedium(const QString &mediumName);
    bool OpenByDestMedium(const QString &mediumName);

    // Inserts a pending import stamped with the current local time; its new ID, or -1.
    qint32 AddImport(const QString &sourceMedium, const QString &sourceSubPath, const QString &sourceFilename,
                     const QString &destMedium, const QString &destSubPath, const QString &destFilename);
};
