// The player on a fake back end over items of a real catalog: choosing, loading and moving on,
// transport, volume, texts and sources.
#include "playback/FakeBackend.h"
#include "lists/ListFixture.h"
#include "playback/Player.h"
#include "playback/PlaybackTests.h"

#include <QFileInfo>
#include <QSignalSpy>

namespace {

class PlayerTest : public QObject
{
    Q_OBJECT

    ListFixture f;
    FakeBackend *backend = nullptr;
    std::unique_ptr<CKivPlayer> player;
    std::unique_ptr<FakeSource> list;
    std::unique_ptr<FakeSource> playlist;

    // The three songs in list order: a.mp3 (Rock\), b.mp3, c.mp3.
    std::vector<CKivMp3::Ptr> songs()
    {
        return {f.byName(QStringLiteral("a.mp3")), f.byName(QStringLiteral("b.mp3")), f.byName(QStringLiteral("c.mp3"))};
    }

    void attach(FakeSource &source)
    {
        player->RegisterSource(&source);
        player->SetActiveSource(&source, false);
    }

    QString playing() const { return QFileInfo(backend->fileName).fileName(); }

    int saidCount(const QString &text) const
    {
        int n = 0;
        for (const RecordingUi::Message &m : f.ui.messages())
            n += m.text == text ? 1 : 0;
        return n;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(f.setUp());
        auto fake = std::make_unique<FakeBackend>();
        backend = fake.get();
        player = std::make_unique<CKivPlayer>(std::move(fake));
        player->SetDocument(f.doc.get());
        list = std::make_unique<FakeSource>(0, QStringLiteral("Mp3 Liste"));
        list->items = songs();
        playlist = std::make_unique<FakeSource>(1, QStringLiteral("Playliste I"));
        playlist->items = {songs()[2], songs()[0]};
        f.ui.clear();
    }

    void cleanup()
    {
        player.reset();
        list.reset();
        playlist.reset();
        f.doc.reset();
    }

    void playWithoutSourceSaysSo()
    {
        player->Play();
        QCOMPARE(saidCount(CKivPlayer::NoDataText()), 1);
        player->Next();
        QCOMPARE(saidCount(CKivPlayer::NoDataText()), 2);
        QCOMPARE(backend->fileName, QString());
    }

    void nothingPlayableMeansSilence_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("empty list") << "empty";
        QTest::newRow("all deleted") << "deleted";
        QTest::newRow("all offline") << "offline";
        QTest::newRow("no medium") << "nomedium";
    }

    void nothingPlayableMeansSilence()
    {
        QFETCH(QString, kind);
        if (kind == QLatin1String("empty")) {
            list->items.clear();
        } else if (kind == QLatin1String("deleted")) {
            for (const CKivMp3::Ptr &item : list->items)
                item->SetDeleted(true);
        } else if (kind == QLatin1String("offline")) {
            f.setOnline(false);
        } else {
            list->items = {std::make_shared<CKivMp3>(), std::make_shared<CKivMp3>()};
        }
        attach(*list);
        player->Play();
        QCOMPARE(backend->fileName, QString());
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::NoFile));
        QCOMPARE(list->mark, -1);
        QVERIFY(f.ui.messages().isEmpty());
    }

    void playLoadsTheFirstPlayableRow()
    {
        const std::vector<CKivMp3::Ptr> three = songs();
        list->items = {std::make_shared<CKivMp3>(), three[0], three[1], three[2]};
        attach(*list);
        QSignalSpy hints(f.doc.get(), &CMelvoraDoc::updateAllViews);
        player->Play();
        QCOMPARE(list->mark, 1);
        QCOMPARE(playing(), QStringLiteral("a.mp3"));
        QCOMPARE(backend->fileName, list->items[1]->FullPath());
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::Playing));
        QCOMPARE(backend->plays, 1);
        QCOMPARE(list->scrolled, 1);
        bool announced = false;
        for (const QList<QVariant> &hint : hints)
            announced |= hint[0].toInt() == 501 && hint[1].value<CKivMp3::Ptr>() == list->items[1];
        QVERIFY(announced);
    }

    void playRestartsTheLoadedFile()
    {
        attach(*list);
        player->Play();
        backend->position = 50;
        player->Play();
        QCOMPARE(backend->position, 0.0);
        QCOMPARE(backend->plays, 2);
        QCOMPARE(playing(), QStringLiteral("a.mp3"));
    }

    void nextAndPreviousWrapAround()
    {
        // An unplayable row between the songs is passed over.
        const std::vector<CKivMp3::Ptr> three = songs();
        list->items = {three[0], std::make_shared<CKivMp3>(), three[1], three[2]};
        attach(*list);
        player->Play();
        QCOMPARE(playing(), QStringLiteral("a.mp3"));
        player->Next();
        QCOMPARE(playing(), QStringLiteral("b.mp3"));
        QCOMPARE(list->mark, 2);
        player->Next();
        QCOMPARE(playing(), QStringLiteral("c.mp3"));
        player->Next();
        QCOMPARE(playing(), QStringLiteral("a.mp3"));
        QCOMPARE(list->mark, 0);
        // Previous on the first playable row plays it again.
        backend->position = 30;
        player->Previous();
        QCOMPARE(playing(), QStringLiteral("a.mp3"));
        QCOMPARE(backend->position, 0.0);
        player->Next();
        player->Next();
        player->Previous();
        QCOMPARE(playing(), QStringLiteral("b.mp3"));
    }

    void transport()
    {
        attach(*list);
        // Nothing loaded: pause and stop do nothing.
        player->PauseToggle();
        player->Stop();
        QCOMPARE(backend->pauses + backend->stops, 0);
        player->Play();
        player->Stop();
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::Stopped));
        player->PauseToggle();
        QCOMPARE(backend->pauses, 0);
        player->Play();
        player->PauseToggle();
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::Paused));
        player->PauseToggle();
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::Playing));
        QCOMPARE(backend->plays, 3);
        // A track that ended is not stopped again.
        backend->position = backend->duration;
        player->Stop();
        QCOMPARE(backend->stops, 1);
    }

    void seeking()
    {
        attach(*list);
        player->Play();
        backend->position = 7;
        player->FastRewind();
        QCOMPARE(backend->position, 0.0);
        player->FastForward();
        QCOMPARE(backend->position, 10.0);
        player->PauseToggle();
        player->FastForward();
        player->FastRewind();
        QCOMPARE(backend->position, 10.0);
    }

    void volume_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("text");
        QTest::newRow("up at full") << 0 << true << 0 << "Volume; 100";
        QTest::newRow("up near full") << -100 << true << 0 << "Volume; 100";
        QTest::newRow("down at silence") << -10000 << false << -10000 << "Volume; 0";
        QTest::newRow("down to silence") << -9900 << false << -10000 << "Volume; 0";
        QTest::newRow("up in the middle") << -5000 << true << -4800 << "Volume; 52";
        QTest::newRow("down in the middle") << -5000 << false << -5200 << "Volume; 48";
    }

    void volume()
    {
        QFETCH(int, start);
        QFETCH(bool, up);
        QFETCH(int, expected);
        QFETCH(QString, text);
        backend->volume = start;
        if (up)
            player->VolumeUp();
        else
            player->VolumeDown();
        QCOMPARE(backend->volume, expected);
        QCOMPARE(player->DisplayText(), text);
        // The message holds for the command's own tick and four more, then the title returns.
        for (int i = 0; i < 4; ++i)
            player->Tick();
        QCOMPARE(player->DisplayText(), text);
        player->Tick();
        QCOMPARE(player->GetDisplayMode(), int(CKivPlayer::ModeTitle));
    }

    void endOfTrackMovesOnAtOnce()
    {
        attach(*list);
        player->Play();
        backend->end();
        // The back end's report runs the tick at once, not half a second later.
        QTRY_COMPARE_WITH_TIMEOUT(playing(), QStringLiteral("b.mp3"), 100);
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::Playing));
        // A track that ends after Stop does not move on.
        player->Stop();
        backend->position = backend->duration;
        player->Tick();
        QCOMPARE(playing(), QStringLiteral("b.mp3"));
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::EndedIdle));
    }

    void unplayableFilesStopAfterOneRound()
    {
        for (const CKivMp3::Ptr &item : list->items)
            backend->broken.append(item->FullPath());
        attach(*list);
        player->Play();
        for (int i = 0; i < 10; ++i)
            player->Tick();
        QCOMPARE(saidCount(CKivPlayer::NothingPlayableText()), 1);
        QCOMPARE(player->PlayState(), int(CKivPlayer::Stopped));
        const QString last = backend->fileName;
        for (int i = 0; i < 10; ++i)
            player->Tick();
        QCOMPARE(backend->fileName, last);
        QCOMPARE(saidCount(CKivPlayer::NothingPlayableText()), 1);
    }

    void oneBrokenFileIsPassedOver()
    {
        backend->broken.append(list->items[1]->FullPath());
        attach(*list);
        player->Play();
        backend->end();
        QTRY_COMPARE_WITH_TIMEOUT(playing(), QStringLiteral("b.mp3"), 100);
        player->Tick();
        QCOMPARE(playing(), QStringLiteral("c.mp3"));
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::Playing));
        QCOMPARE(saidCount(CKivPlayer::NothingPlayableText()), 0);
    }

    void switchingSources()
    {
        attach(*list);
        player->RegisterSource(playlist.get());
        QCOMPARE(playlist->player, nullptr);
        playlist->mark = 1;
        // Stopped: only the source changes.
        player->ToggleSource();
        QCOMPARE(player->CurrentSource(), playlist.get());
        QCOMPARE(playlist->player, player.get());
        QCOMPARE(list->player, nullptr);
        QCOMPARE(player->DisplayText(), QStringLiteral("Source; Playliste I"));
        QCOMPARE(backend->fileName, QString());
        // Playing: the marked row of the other list starts at once.
        player->ToggleSource();
        player->Play();
        QCOMPARE(playing(), QStringLiteral("a.mp3"));
        list->mark = 2;
        player->ToggleSource();
        QCOMPARE(player->CurrentSource(), playlist.get());
        QCOMPARE(playing(), QStringLiteral("a.mp3"));
        QCOMPARE(playlist->mark, 1);
        player->ToggleSource();
        QCOMPARE(playing(), QStringLiteral("c.mp3"));
        // A list going away leaves no source behind.
        player->UnregisterSource(list.get());
        QCOMPARE(player->CurrentSource(), nullptr);
        QCOMPARE(player->DisplayText(), QStringLiteral("Source; No Source !"));
    }

    void userChoosesAnotherKind()
    {
        attach(*list);
        player->RegisterSource(playlist.get());
        player->SetActiveSource(playlist.get(), false);
        QCOMPARE(player->CurrentSource(), list.get());
        player->SetActiveSource(playlist.get(), true);
        QCOMPARE(player->CurrentSource(), playlist.get());
        QCOMPARE(player->SourceKind(), 1);
        QCOMPARE(list->player, nullptr);
    }

    void playItemSoon()
    {
        attach(*list);
        player->PlayItemSoon(list->items[2].get());
        QCOMPARE(list->mark, 2);
        QCOMPARE(backend->fileName, QString());
        QTRY_COMPARE(playing(), QStringLiteral("c.mp3"));
    }

    void releaseFile()
    {
        attach(*list);
        player->Play();
        player->ReleaseFile();
        QCOMPARE(backend->fileName, QString());
        QCOMPARE(player->EffectiveState(), int(CKivPlayer::NoFile));
        QCOMPARE(player->CurrentItem(), nullptr);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "/music/Rock/Song.mp3" << "Song";
        QTest::newRow("dots") << "/music/a.b.mp3" << "a.b";
        QTest::newRow("no extension") << "/music/Song" << "";
        QTest::newRow("catalog separator") << "Rock\\Song.mp3" << "Song";
        QTest::newRow("empty") << "" << "";
    }

    void texts()
    {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(CKivPlayer::TitleOf(path), title);
    }

    void timesAndProgress()
    {
        QCOMPARE(CKivPlayer::TimeText(187.9), QStringLiteral("03;07"));
        QCOMPARE(CKivPlayer::TimeText(-1.0), QStringLiteral("00;00"));
        QCOMPARE(CKivPlayer::TimeText(3725), QStringLiteral("62;05"));
        QCOMPARE(player->Progress(), 0.0);
        attach(*list);
        player->Play();
        backend->position = 45;
        QCOMPARE(player->Progress(), 0.25);
        // The banner shows for five ticks plus one, then the title.
        for (int i = 0; i < 5; ++i)
            player->Tick();
        QCOMPARE(player->DisplayText(), CKivPlayer::BannerText());
        player->Tick();
        QCOMPARE(player->DisplayText(), QStringLiteral("a"));
    }
};

} // namespace

int runPlayerTest(int argc, char **argv)
{
    PlayerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "PlayerTest.moc"
