#include "browse/MelvoraDoc.h"

#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/archive/MediumArchiveImport.h"
#include "media/cd/CdManager.h"
#include "media/scan/ScanDriver.h"

// The archive import of the document: the medium is created at once, its items are stored by the
// scan's second phase on a worker, polled by the import's dialog.

bool CMelvoraDoc::StartArchiveImport(const QString &path)
{
    if (!m_media || m_archiveList)
        return false;
    const KivMediumArchiveImport::Prepared prepared = KivMediumArchiveImport::Prepare(m_db, m_settings, *m_media, path);
    if (!prepared.list)
        return false;
    if (prepared.medium->IsCd())
        m_cdManager->SetMedia(m_media.get());
    Q_EMIT updateAllViews(HintMediaChanged, QVariant());
    m_archiveList = prepared.list;
    m_archiveDriver = std::make_unique<CKivScanDriver>(m_archiveList);
    if (!m_archiveDriver->StartStoring()) {
        m_archiveDriver.reset();
        m_archiveList.reset();
        return false;
    }
    return true;
}

bool CMelvoraDoc::PollArchiveImport()
{
    if (!m_archiveDriver)
        return false;
    if (m_archiveDriver->Poll() != CKivScanDriver::State::Finished)
        return true;
    m_archiveDriver.reset();
    m_archiveList.reset();
    return false;
}

void CMelvoraDoc::CancelArchiveImport()
{
    if (m_archiveList)
        m_archiveList->SetCancel(1);
}
