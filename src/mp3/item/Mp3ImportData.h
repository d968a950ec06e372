#pragma once

#include <QString>

// Where a pending import's file lies now (source) and where it is to be copied (destination), as
// the item's Import row holds them. Sub-paths are catalog sub-paths ("\"-separated).
struct CKivMp3ImportData
{
    QString m_SourceMedium;
    QString m_SourceSubPath;
    QString m_SourceFilename;
    QString m_DestMedium;
    QString m_DestSubPath;
    QString m_DestFilename;
};
