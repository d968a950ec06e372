#include "playback/ui/PlayerSession.h"

#include "browse/MelvoraDoc.h"
#include "browse/Mp3Liste.h"
#include "browse/ui/lists/Mp3ListView.h"
#include "playback/MediaBackend.h"
#include "playback/Mpris.h"
#include "playback/Player.h"
#include "playback/ui/ListPlaySource.h"
#include "playback/ui/PlaylistView.h"

CKivPlayerSession::CKivPlayerSession(CMelvoraDoc &doc, std::unique_ptr<IKivMediaBackend> backend, QObject *parent)
    : QObject(parent)
    , m_doc(doc)
    , m_player(std::make_unique<CKivPlayer>(std::move(backend)))
{
    m_player->SetDocument(&doc);
    CKivPlayer *player = m_player.get();
    doc.SetFileReleaser([player] { player->ReleaseFile(); });
    doc.SetItemPlayer([player](const CKivMp3 *item) { player->PlayItemSoon(item); });
}

CKivPlayerSession::~CKivPlayerSession()
{
    m_doc.SetFileReleaser({});
    m_doc.SetItemPlayer({});
    m_mpris.reset();
    for (IKivPlayerListener *panel : m_listeners)
        m_player->RemoveListener(panel);
    // The player lets go of its sources before they go.
    m_player.reset();
    m_sources.clear();
}

void CKivPlayerSession::AddListView(CKivMp3ListView &view, int kind, const QString &displayName)
{
    auto source = std::make_unique<CKivListPlaySource>(view, kind, displayName);
    CKivListPlaySource *src = source.get();
    m_sources.push_back(std::move(source));
    CKivPlayer *player = m_player.get();
    connect(&view, &CKivMp3ListView::playerSourceRequested, this, [player, src] {
        player->RegisterSource(src);
        player->SetActiveSource(src, false);
    });
    connect(&view, &CKivMp3ListView::playRequested, this, [player, src](const CKivMp3::Ptr &item) {
        player->RegisterSource(src);
        if (src->GetPlayer() != player || player->CurrentSource() != src)
            player->SetActiveSource(src, true);
        const int row = src->RowOf(item.get());
        if (row >= 0)
            src->SetMarkedRow(row);
        player->Play();
    });
    if (auto *playlist = qobject_cast<CKivPlaylistView *>(&view)) {
        connect(playlist, &CKivPlaylistView::autoStartRequested, this, [player, src] {
            player->RegisterSource(src);
            player->SetActiveSource(src, true);
            player->Play();
        });
    }
    player->RegisterSource(src);
}

void CKivPlayerSession::AddListener(IKivPlayerListener &panel)
{
    m_listeners.push_back(&panel);
    m_player->AddListener(&panel);
    panel.PlayerChanged(m_player.get());
}

void CKivPlayerSession::PublishOnBus(std::function<void()> raise, std::function<void()> quit)
{
    m_mpris = std::make_unique<CKivMpris>(*m_player);
    m_mpris->SetRaiseHandler(std::move(raise));
    m_mpris->SetQuitHandler(std::move(quit));
}

CKivListPlaySource *CKivPlayerSession::SourceOf(const CKivMp3ListView &view) const
{
    for (const std::unique_ptr<CKivListPlaySource> &source : m_sources) {
        if (source->View() == &view)
            return source.get();
    }
    return nullptr;
}

QWidget *CKivPlayerSession::CurrentSourceView() const
{
    for (const std::unique_ptr<CKivListPlaySource> &source : m_sources) {
        if (source.get() == m_player->CurrentSource())
            return source->View();
    }
    return nullptr;
}
