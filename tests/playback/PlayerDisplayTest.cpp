// The segment display panel: what its three displays show for the player's state, the held
// volume message, the scrolling of a new text and its painting.
#include "playback/FakeBackend.h"
#include "playback/PlaybackTests.h"
#include "playback/Player.h"
#include "playback/ui/PlayerDisplay.h"

#include <QImage>
#include <QtTest>

namespace {

class PlayerDisplayTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsThePlayer()
    {
        auto owned = std::make_unique<FakeBackend>();
        FakeBackend *backend = owned.get();
        CKivPlayer player(std::move(owned));
        CKivPlayerDisplay display;
        display.resize(640, CKivPlayerDisplay::PanelHeight);
        QCOMPARE(display.TextCapacity(), 26);
        display.PlayerChanged(&player);
        QCOMPARE(display.DurationText(), QStringLiteral("00;00"));
        QCOMPARE(display.StatePicture(), 264);
        QCOMPARE(display.Text(), CKivPlayer::BannerText());

        backend->length = 187;
        player.SetFile(QStringLiteral("/music/Song.mp3"), true);
        backend->position = 65;
        for (int i = 0; i < 6; ++i)
            player.Tick();
        display.PlayerChanged(&player);
        QCOMPARE(display.DurationText(), QStringLiteral("03;07"));
        QCOMPARE(display.PositionText(), QStringLiteral("01;05"));
        QCOMPARE(display.StatePicture(), 265);
        QCOMPARE(display.Text(), QStringLiteral("Song"));
        // A new text scrolls in from the right, a step every 300 ms.
        QVERIFY(display.VisibleText().startsWith(QLatin1Char(' ')));
        QTRY_COMPARE_WITH_TIMEOUT(display.VisibleText(), QStringLiteral("Song"), 2500);

        // A volume message stands still while it is held.
        player.VolumeDown();
        display.PlayerChanged(&player);
        QCOMPARE(display.VisibleText(), QStringLiteral("Volume; 98"));
        player.PauseToggle();
        display.PlayerChanged(&player);
        QCOMPARE(display.StatePicture(), 266);
        player.Stop();
        display.PlayerChanged(&player);
        QCOMPARE(display.StatePicture(), 267);

        // A name without extension has no title: the display says "No File".
        player.SetFile(QStringLiteral("/music/Song"), false);
        for (int i = 0; i < 6; ++i)
            player.Tick();
        display.PlayerChanged(&player);
        QCOMPARE(display.Text(), QStringLiteral("No File"));
    }

    void paintsDarkGroundAndProgress()
    {
        auto owned = std::make_unique<FakeBackend>();
        FakeBackend *backend = owned.get();
        CKivPlayer player(std::move(owned));
        CKivPlayerDisplay display;
        display.resize(400, CKivPlayerDisplay::PanelHeight);
        backend->length = 100;
        player.SetFile(QStringLiteral("/music/Song.mp3"), true);
        backend->position = 50;
        display.PlayerChanged(&player);
        const QImage image = display.grab().toImage();
        QCOMPARE(image.pixelColor(200, 2), CKivPlayerDisplay::Background());
        const int y = display.height() - 4;
        QCOMPARE(image.pixelColor(6, y), QColor(0xFF, 0, 0));
        QCOMPARE(image.pixelColor(image.width() - 13, y), CKivPlayerDisplay::Unlit());
    }
};

} // namespace

int runPlayerDisplayTest(int argc, char **argv)
{
    PlayerDisplayTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PlayerDisplayTest.moc"
