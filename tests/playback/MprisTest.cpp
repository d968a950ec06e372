// The player on the session bus: a call through D-Bus changes the player, a property read reports
// it, and the signals follow. Runs on a private bus (dbus-run-session).
#include "playback/FakeBackend.h"
#include "playback/Mpris.h"
#include "playback/Player.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QSignalSpy>
#include <QtTest>

namespace {

class PropertiesSpy : public QObject
{
    Q_OBJECT

public:
    QList<QVariantMap> changes;

public Q_SLOTS:
    void changed(const QString &, const QVariantMap &properties, const QStringList &) { changes.append(properties); }
};

class MprisTest : public QObject
{
    Q_OBJECT

    FakeBackend *backend = nullptr;
    std::unique_ptr<CKivPlayer> player;
    std::unique_ptr<CKivMpris> mpris;

    QVariant property(const QString &interface, const QString &name)
    {
        QDBusInterface props(CKivMpris::ServiceName(), CKivMpris::ObjectPath(),
                             QStringLiteral("org.freedesktop.DBus.Properties"));
        QDBusReply<QDBusVariant> reply = props.call(QStringLiteral("Get"), interface, name);
        return reply.isValid() ? reply.value().variant() : QVariant();
    }

    QDBusMessage call(const QString &method, const QVariantList &args = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(CKivMpris::ServiceName(), CKivMpris::ObjectPath(),
                                                              QStringLiteral("org.mpris.MediaPlayer2.Player"), method);
        message.setArguments(args);
        return QDBusConnection::sessionBus().call(message);
    }

    static QString player2() { return QStringLiteral("org.mpris.MediaPlayer2.Player"); }

private Q_SLOTS:
    void initTestCase()
    {
        if (!QDBusConnection::sessionBus().isConnected())
            QSKIP("no session bus (run under dbus-run-session)");
    }

    void init()
    {
        auto fake = std::make_unique<FakeBackend>();
        backend = fake.get();
        player = std::make_unique<CKivPlayer>(std::move(fake));
        mpris = std::make_unique<CKivMpris>(*player);
        QVERIFY(mpris->IsPublished());
    }

    void cleanup()
    {
        mpris.reset();
        player.reset();
    }

    void identityOnTheRootInterface()
    {
        const QString root = QStringLiteral("org.mpris.MediaPlayer2");
        QCOMPARE(property(root, QStringLiteral("Identity")).toString(), QStringLiteral("Melvora"));
        QCOMPARE(property(root, QStringLiteral("DesktopEntry")).toString(), QStringLiteral("melvora"));
        bool raised = false;
        mpris->SetRaiseHandler([&raised] { raised = true; });
        QDBusMessage message = QDBusMessage::createMethodCall(CKivMpris::ServiceName(), CKivMpris::ObjectPath(), root,
                                                              QStringLiteral("Raise"));
        QDBusConnection::sessionBus().call(message);
        QVERIFY(raised);
    }

    void callsChangeTheStateAndReadsReportIt()
    {
        QCOMPARE(property(player2(), QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Stopped"));
        player->SetFile(QStringLiteral("/music/Song.mp3"), true);
        backend->position = 12.5;
        QCOMPARE(property(player2(), QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Playing"));
        call(QStringLiteral("PlayPause"));
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::Paused));
        QCOMPARE(property(player2(), QStringLiteral("PlaybackStatus")).toString(), QStringLiteral("Paused"));
        call(QStringLiteral("Play"));
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::Playing));
        call(QStringLiteral("Pause"));
        call(QStringLiteral("Pause"));
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::Paused));
        QCOMPARE(property(player2(), QStringLiteral("Position")).toLongLong(), 12500000LL);
        call(QStringLiteral("Stop"));
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::Stopped));
    }

    void seekingAndVolume()
    {
        player->SetFile(QStringLiteral("/music/Song.mp3"), true);
        backend->position = 20;
        call(QStringLiteral("Seek"), {QVariant::fromValue(qlonglong(-5000000))});
        QCOMPARE(backend->position, 15.0);
        call(QStringLiteral("Seek"), {QVariant::fromValue(qlonglong(-60000000))});
        QCOMPARE(backend->position, 0.0);

        QDBusInterface props(CKivMpris::ServiceName(), CKivMpris::ObjectPath(),
                             QStringLiteral("org.freedesktop.DBus.Properties"));
        props.call(QStringLiteral("Set"), player2(), QStringLiteral("Volume"), QVariant::fromValue(QDBusVariant(0.5)));
        QCOMPARE(backend->volume, -5000);
        QCOMPARE(player->DisplayText(), QStringLiteral("Volume; 50"));
        player->VolumeUp();
        QCOMPARE(property(player2(), QStringLiteral("Volume")).toDouble(), 0.52);
    }

    void propertiesChangedFollowsThePlayer()
    {
        PropertiesSpy spy;
        QVERIFY(QDBusConnection::sessionBus().connect(QString(), CKivMpris::ObjectPath(),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("PropertiesChanged"), &spy,
                                                      SLOT(changed(QString, QVariantMap, QStringList))));
        player->SetFile(QStringLiteral("/music/Song.mp3"), true);
        QTRY_VERIFY(!spy.changes.isEmpty());
        bool playing = false;
        for (const QVariantMap &change : spy.changes)
            playing |= change.value(QStringLiteral("PlaybackStatus")).toString() == QLatin1String("Playing");
        QVERIFY(playing);
        spy.changes.clear();
        player->VolumeDown();
        QTRY_VERIFY(!spy.changes.isEmpty());
        QVERIFY(spy.changes.last().contains(QStringLiteral("Volume")));
    }
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    MprisTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "MprisTest.moc"
