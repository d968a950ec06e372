#include "playback/QtMediaBackend.h"

#include <QAudioOutput>
#include <QUrl>

#include <cmath>

CKivQtMediaBackend::CKivQtMediaBackend(QObject *parent)
    : IKivMediaBackend(parent)
    , m_player(new QMediaPlayer(this))
    , m_output(new QAudioOutput(this))
{
    m_player->setAudioOutput(m_output);
    m_output->setVolume(GainOf(m_volume));
    connect(m_player, &QMediaPlayer::mediaStatusChanged, this, &CKivQtMediaBackend::statusChanged);
    connect(m_player, &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error, const QString &) {
        if (error == QMediaPlayer::NoError || m_fileName.isEmpty() || m_failed)
            return;
        m_failed = true;
        Q_EMIT mediaEnded();
    });
}

CKivQtMediaBackend::~CKivQtMediaBackend()
{
    m_player->disconnect(this);
    m_player->stop();
}

float CKivQtMediaBackend::GainOf(int volume)
{
    if (volume <= -10000)
        return 0.0f;
    if (volume >= 0)
        return 1.0f;
    return float(std::pow(10.0, volume / 2000.0));
}

void CKivQtMediaBackend::statusChanged(QMediaPlayer::MediaStatus status)
{
    switch (status) {
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferedMedia:
        if (m_pendingPosition >= 0) {
            m_player->setPosition(qint64(m_pendingPosition * 1000));
            m_pendingPosition = -1.0;
        }
        break;
    case QMediaPlayer::EndOfMedia:
        m_ended = true;
        Q_EMIT mediaEnded();
        break;
    case QMediaPlayer::InvalidMedia:
        if (!m_failed && !m_fileName.isEmpty()) {
            m_failed = true;
            Q_EMIT mediaEnded();
        }
        break;
    default:
        break;
    }
}

double CKivQtMediaBackend::CurrentPosition() const
{
    if (m_fileName.isEmpty() || m_failed)
        return 0.0;
    if (m_ended)
        return Duration();
    const QMediaPlayer::MediaStatus status = m_player->mediaStatus();
    if (status == QMediaPlayer::LoadingMedia || status == QMediaPlayer::NoMedia)
        return -1.0;
    // The length arrives a moment after the file is loaded; until then a position of 0 would equal
    // the length 0 and read as "at the end", and the player would skip the track.
    if (m_player->duration() <= 0)
        return -1.0;
    return m_player->position() / 1000.0;
}

void CKivQtMediaBackend::SetCurrentPosition(double seconds)
{
    if (m_fileName.isEmpty() || m_failed)
        return;
    const double limit = Duration();
    // A jump past the end ends the track, as playing to the end would.
    if (limit > 0 && seconds >= limit) {
        m_player->setPosition(qint64(limit * 1000));
        return;
    }
    m_ended = false;
    if (m_player->mediaStatus() == QMediaPlayer::LoadingMedia) {
        m_pendingPosition = seconds;
        return;
    }
    m_player->setPosition(qint64(seconds * 1000));
    Q_EMIT positionChanged();
}

double CKivQtMediaBackend::Duration() const
{
    if (m_fileName.isEmpty() || m_failed)
        return 0.0;
    return m_player->duration() / 1000.0;
}

void CKivQtMediaBackend::SetFileName(const QString &path)
{
    m_fileName = path;
    m_failed = false;
    m_ended = false;
    m_pendingPosition = -1.0;
    m_player->stop();
    m_player->setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
}

void CKivQtMediaBackend::SetVolume(int volume)
{
    m_volume = volume < -10000 ? -10000 : (volume > 0 ? 0 : volume);
    m_output->setVolume(GainOf(m_volume));
}

void CKivQtMediaBackend::Play()
{
    if (m_fileName.isEmpty() || m_failed)
        return;
    if (m_ended) {
        m_ended = false;
        m_player->setPosition(0);
    }
    m_player->play();
    Q_EMIT positionChanged();
}

void CKivQtMediaBackend::Pause()
{
    m_player->pause();
}

void CKivQtMediaBackend::Stop()
{
    m_player->stop();
}
