// The player of a login in the frame: its commands, the player bar's display, the playlist view and
// the sleep timer.
#include "app/ui/frame/MainFrame.h"

#include "app/ui/frame/CommandTable.h"
#include "app/ui/frame/FrameLayouts.h"
#include "browse/MelvoraDoc.h"
#include "browse/ui/lists/Mp3ListView.h"
#include "controls/ui/CommandRegistry.h"
#include "playback/Player.h"
#include "playback/QtMediaBackend.h"
#include "playback/SleepTimer.h"
#include "playback/ui/ListPlaySource.h"
#include "playback/ui/PlayerDisplay.h"
#include "playback/ui/PlayerSession.h"
#include "playback/ui/PlaylistView.h"
#include "playback/ui/SleepTimerDlg.h"

using namespace KivCommandTable;
using State = IKivCommandTarget::State;

CKivPlaylistView &CMainFrame::playlistView() const
{
    return *static_cast<CKivPlaylistView *>(view(3));
}

void CMainFrame::openPlayer()
{
    closePlayer();
    m_player = std::make_unique<CKivPlayerSession>(m_doc, std::make_unique<CKivQtMediaBackend>());
    // The player bar's display is the first listener.
    m_player->AddListener(*m_playerDisplay);
    m_player->AddListView(*static_cast<CKivMp3ListView *>(view(5)), CKivPlayer::KindMp3List,
                          QStringLiteral("Mp3 Liste"));
    m_player->AddListView(*static_cast<CKivMp3ListView *>(view(6)), CKivPlayer::KindMp3List,
                          QStringLiteral("Mp3 Liste (TV)"));
    m_player->AddListView(playlistView(), CKivPlayer::KindPlaylist, CKivPlaylistView::DisplayName());
    // The standard list is the source until the user picks another.
    m_player->Player().SetActiveSource(m_player->SourceOf(*static_cast<CKivMp3ListView *>(view(5))), false);
    m_player->PublishOnBus(
        [this] {
            showNormal();
            raise();
            activateWindow();
        },
        [this] { close(); });
}

void CMainFrame::closePlayer()
{
    if (!m_player)
        return;
    m_playerDisplay->DetachPlayer();
    m_player.reset();
    playlistView().ResetForLogin();
}

void CMainFrame::savePlaylist()
{
    playlistView().Close();
}

void CMainFrame::wirePlayerCommands()
{
    CKivCommandRegistry &c = *m_commands;
    const auto withPlayer = [this] {
        State state;
        state.enabled = m_player != nullptr;
        return state;
    };
    const auto forward = [this](void (CKivPlayer::*operation)()) {
        return [this, operation] {
            if (m_player)
                (m_player->Player().*operation)();
        };
    };
    c.setHandler(Play, {forward(&CKivPlayer::Play), withPlayer});
    c.setHandler(Stop, {forward(&CKivPlayer::Stop), withPlayer});
    c.setHandler(Pause, {forward(&CKivPlayer::PauseToggle), withPlayer});
    c.setHandler(FastForward, {forward(&CKivPlayer::FastForward), withPlayer});
    c.setHandler(FastRewind, {forward(&CKivPlayer::FastRewind), withPlayer});
    c.setHandler(Previous, {forward(&CKivPlayer::Previous), withPlayer});
    c.setHandler(Next, {forward(&CKivPlayer::Next), withPlayer});
    c.setHandler(VolumeUp, {forward(&CKivPlayer::VolumeUp), withPlayer});
    c.setHandler(VolumeDown, {forward(&CKivPlayer::VolumeDown), withPlayer});
    c.setHandler(PlayerSource, {forward(&CKivPlayer::ToggleSource), withPlayer});

    // The playlist's own commands reach it from the tool bar wherever the focus is.
    for (int id : {int(PlaylistNew), int(PlaylistOpen), int(PlaylistSaveAs)})
        c.setHandler(id, {[this, id] { playlistView().onCommand(id); }, {}});

    m_sleepTimer = new CKivSleepTimer(this);
    c.setHandler(SleepTimer, {[this] { CKivSleepTimerDlg::Run(*m_sleepTimer, this); }, {}});

    // F2 goes to the list the player plays.
    c.setHandler(FocusList, {[this] {
                                 QWidget *list = m_player ? m_player->CurrentSourceView() : nullptr;
                                 if (!list || !list->isVisible())
                                     list = view(5)->isVisible() ? view(5) : m_layouts->currentRightView();
                                 list->setFocus(Qt::ShortcutFocusReason);
                             },
                             {}});
}
