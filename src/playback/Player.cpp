#include "playback/Player.h"

#include "browse/MelvoraDoc.h"
#include "core/UserInterface.h"
#include "media/Medium.h"
#include "playback/MediaBackend.h"
#include "playback/PlaySource.h"

#include <algorithm>

namespace {

const QString MediumCaption = QStringLiteral("Medium nicht Verfügbar !");

} // namespace

CKivPlayer::CKivPlayer(std::unique_ptr<IKivMediaBackend> backend, QObject *parent)
    : QObject(parent)
    , m_backend(std::move(backend))
{
    m_backend->setParent(nullptr);
    m_tick.setInterval(m_tickPeriod);
    connect(&m_tick, &QTimer::timeout, this, &CKivPlayer::Tick);
    m_tick.start();
    m_soon.setSingleShot(true);
    m_soon.setInterval(100);
    connect(&m_soon, &QTimer::timeout, this, &CKivPlayer::Play);
    // The next file starts as soon as the back end reports the end, not at the next tick.
    connect(m_backend.get(), &IKivMediaBackend::mediaEnded, this, &CKivPlayer::Tick, Qt::QueuedConnection);
}

CKivPlayer::~CKivPlayer()
{
    m_tick.stop();
    m_soon.stop();
    for (IKivPlaySource *list : m_sources) {
        if (list->GetPlayer() == this)
            list->SetPlayer(nullptr);
    }
    m_backend->disconnect(this);
}

// --- rows

bool CKivPlayer::IsPlayable(const CKivMp3 *item) const
{
    return item && item->GetImportID() == 0 && !item->IsDeleted() && item->MediumState() == 2;
}

bool CKivPlayer::playableRow(int row) const
{
    return m_currentSource && IsPlayable(m_currentSource->ItemAt(row).get());
}

int CKivPlayer::findPlayable(int from, int step) const
{
    const int rows = m_currentSource ? m_currentSource->RowCount() : 0;
    for (int row = from; row >= 0 && row < rows; row += step) {
        if (playableRow(row))
            return row;
    }
    return -1;
}

int CKivPlayer::playableCount() const
{
    int count = 0;
    const int rows = m_currentSource ? m_currentSource->RowCount() : 0;
    for (int row = 0; row < rows; ++row)
        count += playableRow(row) ? 1 : 0;
    return count;
}

// --- play and load

void CKivPlayer::Play()
{
    m_soon.stop();
    if (!m_currentSource) {
        kivUi().showMessage(NoDataText(), QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return;
    }
    int row = m_currentSource->MarkedRow();
    if (row >= 0 && !playableRow(row))
        row = -1;
    if (row < 0) {
        m_currentSource->SetMarkedRow(-1);
        row = findPlayable(0, 1);
        if (row < 0)
            return;
        m_currentSource->SetMarkedRow(row);
    }
    loadItem(m_currentSource->ItemAt(row));
    if (EffectiveState() != NoFile) {
        m_backend->SetCurrentPosition(0.0);
        m_backend->Play();
        setPlayState(Playing);
    }
    m_currentSource->EnsureMarkedVisible();
}

bool CKivPlayer::loadItem(const CKivMp3::Ptr &item)
{
    CKivMedium *medium = item ? item->Medium() : nullptr;
    if (!medium)
        return false;
    const QString name = medium->GetName();
    const int state = medium->CheckOnline();
    if (state == 0) {
        kivUi().showMessage(QStringLiteral("Das Medium mit der Bezeichnung: '") + name
                                + QStringLiteral("' ist nicht verfügbar,\nda Sie noch keine Pfade für das Medium "
                                                 "eingerichtet haben !"),
                            MediumCaption, KivIcon::Exclamation);
        return false;
    }
    if (state == 1) {
        kivUi().showMessage(QStringLiteral("Bitte Legen Sie das Medium mit der Bezeichnung: '") + name
                                + QStringLiteral("' ein,\noder stellen Sie sicher das die Verbindung zu dem Medium "
                                                 "besteht."),
                            MediumCaption, KivIcon::Exclamation);
        if (medium->CheckOnline() != 2) {
            kivUi().showMessage(QStringLiteral("Das Medium ist nicht verfügbar. Der Vorgang wird abgebrochen !"),
                                MediumCaption, KivIcon::Exclamation);
            return false;
        }
    } else if (state != 2) {
        return false;
    }
    SetFile(item->FullPath(), false);
    if (m_currentItem != item) {
        m_currentItem = item;
        Q_EMIT trackChanged();
    }
    if (m_doc)
        m_doc->UpdateAllViews(HintItemLoaded, QVariant::fromValue(item));
    return true;
}

void CKivPlayer::SetFile(const QString &path, bool autoStart)
{
    if (path == m_currentFile)
        return;
    m_currentFile = path;
    m_backend->SetFileName(path);
    if (autoStart) {
        m_backend->Play();
        setPlayState(Playing);
    } else {
        setPlayState(Stopped);
    }
    Q_EMIT trackChanged();
}

void CKivPlayer::ReleaseFile()
{
    SetFile(QString(), false);
}

int CKivPlayer::EffectiveState() const
{
    if (m_backend->FileName().isEmpty())
        return NoFile;
    // A file the back end cannot play counts as ended, so the list moves on.
    if (!m_backend->HasFailed() && m_backend->CurrentPosition() != m_backend->Duration())
        return m_playState;
    return m_playState == Playing ? EndedPlaying : EndedIdle;
}

void CKivPlayer::setPlayState(int state)
{
    if (m_playState == state)
        return;
    m_playState = state;
    Q_EMIT stateChanged();
}

// --- transport

void CKivPlayer::PauseToggle()
{
    switch (EffectiveState()) {
    case Playing:
        m_backend->Pause();
        setPlayState(Paused);
        break;
    case Paused:
        m_backend->Play();
        setPlayState(Playing);
        break;
    default:
        break;
    }
}

void CKivPlayer::Stop()
{
    const int state = EffectiveState();
    if (state == Playing || state == Paused) {
        m_backend->Stop();
        setPlayState(Stopped);
    }
}

void CKivPlayer::FastForward()
{
    if (EffectiveState() != Playing)
        return;
    m_backend->SetCurrentPosition(m_backend->CurrentPosition() + m_seekStep);
    Q_EMIT seeked(Position());
}

void CKivPlayer::FastRewind()
{
    if (EffectiveState() != Playing)
        return;
    const double p = m_backend->CurrentPosition() - m_seekStep;
    m_backend->SetCurrentPosition(p > 0 ? p : 0.0);
    Q_EMIT seeked(Position());
}

void CKivPlayer::SetPosition(double seconds)
{
    const int state = EffectiveState();
    if (state != Playing && state != Paused)
        return;
    m_backend->SetCurrentPosition(std::max(0.0, seconds));
    Q_EMIT seeked(Position());
}

// --- navigation

void CKivPlayer::moveMark(int step)
{
    const int marked = m_currentSource->MarkedRow();
    m_currentSource->SetMarkedRow(-1);
    const int row = marked < 0 ? -1 : findPlayable(marked + step, step);
    m_currentSource->SetMarkedRow(row);
}

void CKivPlayer::Next()
{
    m_failedInRow = 0;
    if (!m_currentSource) {
        kivUi().showMessage(NoDataText(), QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return;
    }
    moveMark(1);
    Play();
}

void CKivPlayer::Previous()
{
    m_failedInRow = 0;
    if (!m_currentSource) {
        kivUi().showMessage(NoDataText(), QStringLiteral("Warnung !"), KivIcon::Exclamation);
        return;
    }
    moveMark(-1);
    Play();
}

// The automatic step at the end of a track. A file the back end could not play counts as ended too;
// when a whole round of the list could not be played the player stops and says so once.
void CKivPlayer::advanceAfterEnd()
{
    if (m_backend->HasFailed()) {
        ++m_failedInRow;
        if (!m_currentSource || m_failedInRow >= std::max(1, playableCount())) {
            m_failedInRow = 0;
            m_backend->Stop();
            setPlayState(Stopped);
            kivUi().showMessage(NothingPlayableText(), QStringLiteral("Warnung !"), KivIcon::Exclamation);
            return;
        }
    } else {
        m_failedInRow = 0;
    }
    if (!m_currentSource)
        return;
    moveMark(1);
    Play();
}

// --- volume and display

int CKivPlayer::Volume() const
{
    return m_backend->Volume();
}

void CKivPlayer::SetVolume(int volume)
{
    const int v = std::clamp(volume, int(MinVolume), int(MaxVolume));
    const bool changed = v != m_backend->Volume();
    m_backend->SetVolume(v);
    showMessage(ModeVolume);
    if (changed)
        Q_EMIT volumeChanged();
}

void CKivPlayer::VolumeUp()
{
    const int v = m_backend->Volume() + VolumeStep;
    SetVolume(v > MaxVolume ? MaxVolume : v);
}

void CKivPlayer::VolumeDown()
{
    const int v = m_backend->Volume() - VolumeStep;
    SetVolume(v < MinVolume ? MinVolume : v);
}

void CKivPlayer::showMessage(int mode)
{
    m_displayCountdown = m_displayHold;
    m_displayMode = mode;
    Tick();
}

void CKivPlayer::Tick()
{
    if (m_displayCountdown >= 1)
        --m_displayCountdown;
    else
        m_displayMode = ModeTitle;
    if (EffectiveState() == EndedPlaying)
        advanceAfterEnd();
    for (IKivPlayerListener *panel : std::vector<IKivPlayerListener *>(m_listeners))
        panel->PlayerChanged(this);
}

void CKivPlayer::AddListener(IKivPlayerListener *panel)
{
    if (panel && std::find(m_listeners.begin(), m_listeners.end(), panel) == m_listeners.end())
        m_listeners.push_back(panel);
}

void CKivPlayer::RemoveListener(IKivPlayerListener *panel)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), panel), m_listeners.end());
}
