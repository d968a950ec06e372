#include "media/cd/CdManager.h"

#include "core/UserInterface.h"
#include "catalog/RsCDs.h"
#include "catalog/RsMedienNamen.h"
#include "media/MediaLog.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumName.h"
#include "media/cd/CdDrive.h"
#include "media/cd/CdMediumForm.h"

#include <QSocketNotifier>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

namespace {

const QString &newCdName()
{
    static const QString name = KivMediumName::cdPrefix() + QStringLiteral("Neue CD");
    return name;
}

} // namespace

CKivCdManager::CKivCdManager(CKivDatabase &db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{
    setObjectName(WindowTitle());
}

CKivCdManager::~CKivCdManager()
{
    Stop();
}

bool CKivCdManager::IsRunning() const
{
    return m_timer && m_timer->isActive();
}

void CKivCdManager::Start()
{
    m_started = true;
    setKnownCdState(CKivMedium::Offline);
    check();
    if (m_state == KnownCd)
        setKnownCdState(CKivMedium::Online);
    Q_EMIT cdChanged();
    if (!m_timer) {
        m_timer = std::make_unique<QTimer>();
        m_timer->setInterval(PollMilliseconds);
        connect(m_timer.get(), &QTimer::timeout, this, &CKivCdManager::Tick);
    }
    if (!m_timer->isActive())
        m_timer->start();
    watchMountTable();
}

void CKivCdManager::Stop()
{
    if (m_timer)
        m_timer->stop();
    m_mountWatch.reset();
    if (m_mountFd >= 0) {
        ::close(m_mountFd);
        m_mountFd = -1;
    }
    m_started = false;
}

// The kernel marks the mount table readable with priority data whenever a mount comes or goes.
void CKivCdManager::watchMountTable()
{
    if (m_mountWatch)
        return;
    m_mountFd = ::open("/proc/self/mountinfo", O_RDONLY | O_CLOEXEC);
    if (m_mountFd < 0)
        return;
    m_mountWatch = std::make_unique<QSocketNotifier>(m_mountFd, QSocketNotifier::Exception);
    connect(m_mountWatch.get(), &QSocketNotifier::activated, this, &CKivCdManager::Tick);
}

void CKivCdManager::SetMedia(CKivMedienListe *media)
{
    m_media = media;
    m_cdMedia.clear();
    if (media) {
        for (const auto &medium : *media) {
            if (medium->IsCd())
                m_cdMedia.push_back(medium.get());
        }
    }
    const bool wasRunning = IsRunning();
    if (m_timer)
        m_timer->stop();
    if (m_started) {
        check();
        if (m_state == KnownCd)
            setKnownCdState(CKivMedium::Online);
    }
    if (wasRunning)
        m_timer->start();
}

void CKivCdManager::Tick()
{
    if (m_checking)
        return;
    const KivCdDrive::Disc disc = KivCdDrive::Look(m_drive);
    if (disc.sizeText == m_storedSize)
        return;
    setKnownCdState(CKivMedium::Offline);
    check();
    if (m_state == KnownCd)
        setKnownCdState(CKivMedium::Online);
    Q_EMIT cdChanged();
}

void CKivCdManager::setKnownCdState(int state)
{
    for (CKivMedium *medium : m_cdMedia) {
        if (medium->GetID() == m_currentId)
            medium->SetCdState(state);
    }
}

bool CKivCdManager::findByName(const QString &name, int &id)
{
    CRsMedienNamen names(m_db);
    if (!names.OpenByName(name))
        return false;
    const bool isCd = names.m_CDRomID != 0;
    if (isCd)
        id = names.m_ID;
    names.Close();
    return isCd;
}

bool CKivCdManager::findBySize(const QString &sizeText, int &id, QString &name)
{
    CRsCDs cds(m_db);
    if (!cds.OpenByVolumeSize(sizeText))
        return false;
    const int mediumId = cds.m_MediumID;
    cds.Close();
    CRsMedienNamen names(m_db);
    if (!names.OpenById(mediumId))
        return false;
    id = mediumId;
    name = names.m_Mediumname;
    names.Close();
    return true;
}

void CKivCdManager::check()
{
    if (m_checking)
        return;
    m_checking = true;
    m_currentId = -1;
    const KivCdDrive::Disc disc = KivCdDrive::Look(m_drive);
    m_headerName = disc.headerName;
    QString candidate;
    if (disc.headerName.isEmpty()) {
        m_hasHeaderFile = false;
        m_hasSize = !disc.sizeText.isEmpty();
        if (!m_hasSize)
            candidate = QStringLiteral("CD");
        else if (!findBySize(disc.sizeText, m_currentId, candidate))
            candidate = newCdName();
    } else {
        m_hasHeaderFile = true;
        m_hasSize = true;
        candidate = disc.headerName;
        if (!findByName(disc.headerName, m_currentId)) {
            m_currentId = -1;
            candidate = newCdName();
        }
    }

    if (disc.sizeText.isEmpty()) {
        m_label = QStringLiteral("Keine CD");
        m_state = NoCd;
        m_storedSize = disc.sizeText;
    } else if (m_label != candidate || m_storedSize != disc.sizeText) {
        // Label and size are set before the question, so ticks meanwhile see nothing new.
        m_label = candidate;
        m_storedSize = disc.sizeText;
        m_state = KnownCd;
        if (m_currentId == -1) {
            const KivAnswer answer = kivUi().showMessage(
                QStringLiteral("Es wurde eine neue CD gefunden ! Wollen Sie Sie als MediumCD\nin die Datenbank aufnehmen ?"),
                QStringLiteral("Neue CD gefunden"), KivIcon::Question, KivButtons::YesNo);
            if (answer != KivAnswer::Yes) {
                m_label = QStringLiteral("Unbekannte CD");
                m_state = UnknownCd;
            } else {
                m_label = QStringLiteral("Neue CD");
                m_state = UnknownCd;
                m_checking = false;
                CreateCdMedium();
                m_checking = true;
            }
        }
    }
    m_checking = false;
    qCDebug(lcMedia).noquote() << "CD check:" << m_label << "state" << m_state << "size" << m_storedSize;
}

bool CKivCdManager::CreateCdMedium()
{
    if (m_state != UnknownCd) {
        kivUi().showMessage(m_state == NoCd
                                ? QStringLiteral("MediumCD kann nicht erstellt werden, da sich keine CD im Laufwerk befindet !")
                                : QStringLiteral("MediumCD kann nicht erstellt werden, da Sie bereits exsistiert !"),
                            QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return false;
    }
    if (!m_media)
        return false;
    std::unique_ptr<CKivMedium> medium = CKivMedium::NewCd(m_media->GetUserID(), KivCdDrive::Root(m_drive));
    medium->SetHasHeaderFile(m_hasHeaderFile);
    medium->SetHasVolumeSize(m_hasSize);
    medium->SetVolumeSize(m_storedSize);
    CKivCdMediumForm form(m_db, *medium, true);
    if (!m_runDialog || !m_runDialog(form) || medium->GetID() == -1)
        return false;
    CKivMedium *added = m_media->Add(std::move(medium));
    m_cdMedia.push_back(added);
    m_currentId = added->GetID();
    m_label = added->GetName();
    m_state = KnownCd;
    added->SetCdState(CKivMedium::Online);
    Q_EMIT cdChanged();
    return true;
}

std::vector<CKivMedium *> CKivCdManager::CdsToShow(bool offlineCds) const
{
    if (offlineCds)
        return m_cdMedia;
    if (m_state != KnownCd)
        return {};
    for (CKivMedium *medium : m_cdMedia) {
        if (medium->GetState() == CKivMedium::Online)
            return {medium};
    }
    return {};
}
