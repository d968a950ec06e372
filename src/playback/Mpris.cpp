#include "playback/Mpris.h"

#include "playback/MprisAdaptors.h"
#include "playback/Player.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QLoggingCategory>

#include <algorithm>
#include <cmath>

Q_LOGGING_CATEGORY(lcMpris, "melvora.mpris")

CKivMpris::CKivMpris(CKivPlayer &player, QObject *parent)
    : QObject(parent)
    , m_player(player)
{
    new CKivMprisRootAdaptor(*this);
    new CKivMprisPlayerAdaptor(*this);

    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        qCInfo(lcMpris) << "no session bus: the player is not published";
        return;
    }
    if (!bus.registerObject(ObjectPath(), this)) {
        qCWarning(lcMpris) << "object path taken:" << ObjectPath();
        return;
    }
    if (!bus.registerService(ServiceName())) {
        qCWarning(lcMpris) << "service name taken:" << ServiceName() << bus.lastError().message();
        bus.unregisterObject(ObjectPath());
        return;
    }
    m_published = true;

    connect(&player, &CKivPlayer::stateChanged, this, [this] { announce({QStringLiteral("PlaybackStatus")}); });
    connect(&player, &CKivPlayer::trackChanged, this,
            [this] { announce({QStringLiteral("Metadata"), QStringLiteral("PlaybackStatus")}); });
    connect(&player, &CKivPlayer::volumeChanged, this, [this] { announce({QStringLiteral("Volume")}); });
    connect(&player, &CKivPlayer::seeked, this, [this] { Q_EMIT seeked(PositionMicroseconds()); });
}

CKivMpris::~CKivMpris()
{
    if (m_published) {
        QDBusConnection bus = QDBusConnection::sessionBus();
        bus.unregisterService(ServiceName());
        bus.unregisterObject(ObjectPath());
    }
}

void CKivMpris::announce(const QStringList &names)
{
    QVariantMap changed;
    for (const QString &name : names) {
        if (name == QLatin1String("PlaybackStatus"))
            changed.insert(name, PlaybackStatus());
        else if (name == QLatin1String("Metadata"))
            changed.insert(name, Metadata());
        else if (name == QLatin1String("Volume"))
            changed.insert(name, Volume());
    }
    QDBusMessage signal = QDBusMessage::createSignal(ObjectPath(), QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QStringLiteral("org.mpris.MediaPlayer2.Player") << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

QString CKivMpris::PlaybackStatus() const
{
    switch (m_player.EffectiveState()) {
    case CKivPlayer::Playing:
        return QStringLiteral("Playing");
    case CKivPlayer::Paused:
        return QStringLiteral("Paused");
    default:
        return QStringLiteral("Stopped");
    }
}

QString CKivMpris::TrackId() const
{
    const CKivMp3::Ptr item = m_player.CurrentItem();
    if (!item)
        return QStringLiteral("/org/mpris/MediaPlayer2/TrackList/NoTrack");
    return QStringLiteral("/org/melvora/track/%1").arg(item->GetID() < 0 ? 0 : item->GetID());
}

QVariantMap CKivMpris::Metadata() const
{
    QVariantMap map;
    const CKivMp3::Ptr item = m_player.CurrentItem();
    if (!item)
        return map;
    map.insert(QStringLiteral("mpris:trackid"), QVariant::fromValue(QDBusObjectPath(TrackId())));
    const QString title = item->GetTitle().isEmpty() ? CKivPlayer::TitleOf(m_player.CurrentFile()) : item->GetTitle();
    map.insert(QStringLiteral("xesam:title"), title);
    if (!item->GetArtist().isEmpty())
        map.insert(QStringLiteral("xesam:artist"), QStringList{item->GetArtist()});
    if (!item->GetAlbum().isEmpty())
        map.insert(QStringLiteral("xesam:album"), item->GetAlbum());
    const double seconds = m_player.Duration() > 0 ? m_player.Duration() : double(item->GetLength());
    if (seconds > 0)
        map.insert(QStringLiteral("mpris:length"), qlonglong(std::llround(seconds * 1e6)));
    return map;
}

double CKivMpris::Volume() const
{
    return (m_player.Volume() + 10000) / 10000.0;
}

void CKivMpris::SetVolume(double volume)
{
    const double v = std::clamp(volume, 0.0, 1.0);
    m_player.SetVolume(int(std::lround(v * 10000.0)) - 10000);
}

qlonglong CKivMpris::PositionMicroseconds() const
{
    return qlonglong(std::llround(m_player.Position() * 1e6));
}

void CKivMpris::Raise()
{
    if (m_raise)
        m_raise();
}

void CKivMpris::Quit()
{
    if (m_quit)
        m_quit();
}

void CKivMpris::PlayPause()
{
    const int state = m_player.EffectiveState();
    if (state == CKivPlayer::Playing || state == CKivPlayer::Paused)
        m_player.PauseToggle();
    else
        m_player.Play();
}

void CKivMpris::PlayOnly()
{
    if (m_player.EffectiveState() == CKivPlayer::Paused)
        m_player.PauseToggle();
    else if (m_player.EffectiveState() != CKivPlayer::Playing)
        m_player.Play();
}

void CKivMpris::PauseOnly()
{
    if (m_player.EffectiveState() == CKivPlayer::Playing)
        m_player.PauseToggle();
}

void CKivMpris::Seek(qlonglong offset)
{
    m_player.SetPosition(m_player.Position() + offset / 1e6);
}

void CKivMpris::SetPosition(const QString &trackId, qlonglong position)
{
    if (trackId != TrackId() || position < 0 || (m_player.Duration() > 0 && position / 1e6 > m_player.Duration()))
        return;
    m_player.SetPosition(position / 1e6);
}
