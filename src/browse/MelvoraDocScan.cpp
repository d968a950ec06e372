#include "browse/MelvoraDoc.h"

#include "core/UserInterface.h"
#include "browse/Mp3Liste.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/scan/ScanDriver.h"
#include "media/scan/ScanMedium.h"

// The scan part of the document: starting a scan, driving it from the frame's timer and taking its
// result over.

bool CMelvoraDoc::StartScan(const QString &mediumName, const QString &subPath)
{
    if (m_scanList || CKivScanDriver::IsAnyRunning()) {
        kivUi().showMessage(QStringLiteral("Sie können keine weitere Suche nach Mp3 Dateien\nstarten, während schon "
                                           "eine Suchanforderung in Arbeit ist !"),
                            QStringLiteral("Hinweis"), KivIcon::Exclamation);
        return false;
    }
    const KivAnswer answer = kivUi().showMessage(
        QStringLiteral("Wollen Sie das ausgwählte Medium/Ordner jetzt nach neuen Mp3's durchsuchen ?\nDieser "
                       "Vorgang kann einige Minuten dauer."),
        QStringLiteral("Medium nach neuen Mp3's durchsuchen ?"), KivIcon::Question, KivButtons::YesNo);
    if (answer != KivAnswer::Yes)
        return false;

    // The workers get a copy of the medium: the one in the media set stays the user interface's.
    std::shared_ptr<CKivMedium> copy;
    if (const CKivMedium *medium = FindMedium(mediumName))
        copy = KivScanMedium::Copy(m_db, *medium);
    m_scanList = std::make_shared<CKivScanList>(m_settings, mediumName, subPath, m_quickImport != 0, copy);
    m_scanDriver = std::make_unique<CKivScanDriver>(m_scanList);
    if (!m_scanDriver->Start()) {
        m_scanDriver.reset();
        m_scanList.reset();
        return false;
    }
    Q_EMIT scanStarted(m_scanList.get());
    return true;
}

bool CMelvoraDoc::PollScan()
{
    if (!m_scanDriver)
        return false;
    if (m_scanDriver->Poll() != CKivScanDriver::State::Finished)
        return true;
    OnScanFinished();
    return false;
}

void CMelvoraDoc::OnScanFinished()
{
    if (!m_scanList || (m_scanDriver && m_scanDriver->IsRunning()))
        return;
    m_scanDriver.reset();
    const std::shared_ptr<CKivScanList> list = std::move(m_scanList);
    if (list->medium())
        m_scannedMedia.push_back(list->medium());
    if (m_mp3Liste) {
        m_mp3Liste->Reset();
        for (const CKivMp3::Ptr &item : list->items())
            m_mp3Liste->Append(item);
        m_mp3Liste->AnnounceReplaced();
    }
    Q_EMIT scanFinished();
}

bool CMelvoraDoc::IsImporting() const
{
    return m_scanList != nullptr || m_archiveList != nullptr || m_archiveImportRunning;
}
