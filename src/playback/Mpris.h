#pragma once

#include <QObject>
#include <QVariantMap>

#include <functional>

class CKivPlayer;

// Publishes the player on the session bus as "org.mpris.MediaPlayer2.melvora", so the desktop's
// media keys, its player widgets and playerctl drive it. Each call maps onto the player's own
// operation (the same as the menu command), and PropertiesChanged follows state, track and volume.
// Without a session bus nothing is published and the player works as before.
class CKivMpris : public QObject
{
    Q_OBJECT

public:
    static QString ServiceName() { return QStringLiteral("org.mpris.MediaPlayer2.melvora"); }
    static QString ObjectPath() { return QStringLiteral("/org/mpris/MediaPlayer2"); }

    explicit CKivMpris(CKivPlayer &player, QObject *parent = nullptr);
    ~CKivMpris() override;

    // Raise and Quit of the root interface; without them the root says it cannot do either.
    void SetRaiseHandler(std::function<void()> raise) { m_raise = std::move(raise); }
    void SetQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }

    // True when the service name and the object are on the bus.
    bool IsPublished() const { return m_published; }

    // --- what the adaptors ask and call
    CKivPlayer &Player() const { return m_player; }
    QString PlaybackStatus() const;
    QVariantMap Metadata() const;
    double Volume() const;
    void SetVolume(double volume);
    qlonglong PositionMicroseconds() const;
    QString TrackId() const;
    bool CanRaise() const { return bool(m_raise); }
    bool CanQuit() const { return bool(m_quit); }
    void Raise();
    void Quit();
    void PlayPause();
    void PlayOnly();
    void PauseOnly();
    void Seek(qlonglong offset);
    void SetPosition(const QString &trackId, qlonglong position);

Q_SIGNALS:
    void seeked(qlonglong position);

private:
    void announce(const QStringList &names);

    CKivPlayer &m_player;
    std::function<void()> m_raise;
    std::function<void()> m_quit;
    bool m_published = false;
};
