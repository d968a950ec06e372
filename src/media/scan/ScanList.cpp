#include "media/scan/ScanList.h"

#include "media/Medium.h"
#include "mp3/TagSettings.h"

#include <QMutexLocker>

CKivScanList::CKivScanList(CKivSettings &settings, const QString &mediumName, const QString &subPath, bool quick,
                           std::shared_ptr<CKivMedium> medium)
    : m_settings(settings)
    , m_mediumName(mediumName)
    , m_path(subPath)
    , m_quick(quick)
    , m_medium(std::move(medium))
{
    // The scan reads the tags as the settings say at its start.
    KivTagSettings::Apply(settings);
}

CKivScanList::~CKivScanList() = default;

void CKivScanList::Cancel()
{
    if (m_busy.load() == 1)
        m_cancel.store(1);
}

QString CKivScanList::GetCurrentFile() const
{
    QMutexLocker lock(&m_textMutex);
    return m_currentFile;
}

void CKivScanList::SetCurrentFile(const QString &file)
{
    QMutexLocker lock(&m_textMutex);
    m_currentFile = file;
}

QString CKivScanList::GetStatusText() const
{
    QMutexLocker lock(&m_textMutex);
    return m_statusText;
}

void CKivScanList::SetStatusText(const QString &text)
{
    QMutexLocker lock(&m_textMutex);
    m_statusText = text;
}

void CKivScanList::AddFoundFile(FoundFile file)
{
    m_found.push_back(std::move(file));
    m_foundCount.fetch_add(1);
}

QString CKivScanList::GetCatalogFailure() const
{
    QMutexLocker lock(&m_textMutex);
    return m_catalogFailure;
}

void CKivScanList::SetCatalogFailure(const QString &cause)
{
    QMutexLocker lock(&m_textMutex);
    m_catalogFailure = cause;
}
