#include "playback/MprisAdaptors.h"

#include "playback/Mpris.h"
#include "playback/Player.h"

CKivMprisRootAdaptor::CKivMprisRootAdaptor(CKivMpris &mpris)
    : QDBusAbstractAdaptor(&mpris)
    , m_mpris(mpris)
{
}

bool CKivMprisRootAdaptor::CanQuit() const
{
    return m_mpris.CanQuit();
}

bool CKivMprisRootAdaptor::CanRaise() const
{
    return m_mpris.CanRaise();
}

void CKivMprisRootAdaptor::Raise()
{
    m_mpris.Raise();
}

void CKivMprisRootAdaptor::Quit()
{
    m_mpris.Quit();
}

CKivMprisPlayerAdaptor::CKivMprisPlayerAdaptor(CKivMpris &mpris)
    : QDBusAbstractAdaptor(&mpris)
    , m_mpris(mpris)
{
    connect(&mpris, &CKivMpris::seeked, this, &CKivMprisPlayerAdaptor::Seeked);
}

QString CKivMprisPlayerAdaptor::PlaybackStatus() const
{
    return m_mpris.PlaybackStatus();
}

QVariantMap CKivMprisPlayerAdaptor::Metadata() const
{
    return m_mpris.Metadata();
}

double CKivMprisPlayerAdaptor::Volume() const
{
    return m_mpris.Volume();
}

void CKivMprisPlayerAdaptor::SetVolume(double volume)
{
    m_mpris.SetVolume(volume);
}

qlonglong CKivMprisPlayerAdaptor::Position() const
{
    return m_mpris.PositionMicroseconds();
}

void CKivMprisPlayerAdaptor::Play()
{
    m_mpris.PlayOnly();
}

void CKivMprisPlayerAdaptor::Pause()
{
    m_mpris.PauseOnly();
}

void CKivMprisPlayerAdaptor::PlayPause()
{
    m_mpris.PlayPause();
}

void CKivMprisPlayerAdaptor::Stop()
{
    m_mpris.Player().Stop();
}

void CKivMprisPlayerAdaptor::Next()
{
    m_mpris.Player().Next();
}

void CKivMprisPlayerAdaptor::Previous()
{
    m_mpris.Player().Previous();
}

void CKivMprisPlayerAdaptor::Seek(qlonglong offset)
{
    m_mpris.Seek(offset);
}

void CKivMprisPlayerAdaptor::SetPosition(const QDBusObjectPath &trackId, qlonglong position)
{
    m_mpris.SetPosition(trackId.path(), position);
}
