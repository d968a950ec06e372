// The player's sources: which lists are registered, which one plays, and switching between them.
#include "playback/Player.h"

#include "playback/MediaBackend.h"
#include "playback/PlaySource.h"

#include <algorithm>

IKivPlaySource *&CKivPlayer::registered(int kind)
{
    return kind == KindPlaylist ? m_playlistSource : m_mp3ListSource;
}

void CKivPlayer::attach(IKivPlaySource *list)
{
    if (list && list->GetPlayer() != this)
        list->SetPlayer(this);
}

void CKivPlayer::detach(IKivPlaySource *list)
{
    if (list && list->GetPlayer() == this)
        list->SetPlayer(nullptr);
}

void CKivPlayer::SetSource(int kind)
{
    if ((kind != KindMp3List && kind != KindPlaylist) || kind == m_sourceKind)
        return;
    m_sourceKind = kind;
    detach(m_currentSource);
    // The registered list of the new kind takes over (SetActiveSource ignores the list that is
    // current already, so the current source is let go first).
    IKivPlaySource *next = registered(kind);
    m_currentSource = nullptr;
    SetActiveSource(next, false);
    Q_EMIT sourceChanged();
    if (EffectiveState() == Playing)
        Play();
}

void CKivPlayer::ToggleSource()
{
    SetSource(1 - m_sourceKind);
    showMessage(ModeSource);
}

void CKivPlayer::RegisterSource(IKivPlaySource *list)
{
    if (!list)
        return;
    if (std::find(m_sources.begin(), m_sources.end(), list) == m_sources.end())
        m_sources.push_back(list);
    const int kind = list->SourceKind();
    IKivPlaySource *&slot = registered(kind);
    if (!slot) {
        slot = list;
        if (kind == m_sourceKind)
            attach(list);
    }
}

void CKivPlayer::UnregisterSource(IKivPlaySource *list)
{
    if (!list)
        return;
    detach(list);
    m_sources.erase(std::remove(m_sources.begin(), m_sources.end(), list), m_sources.end());
    for (int kind : {int(KindMp3List), int(KindPlaylist)}) {
        if (registered(kind) == list)
            registered(kind) = nullptr;
    }
    if (m_currentSource == list) {
        m_currentSource = nullptr;
        Q_EMIT sourceChanged();
    }
}

void CKivPlayer::SetActiveSource(IKivPlaySource *list, bool byUser)
{
    if (list == m_currentSource)
        return;
    if (!list) {
        detach(m_currentSource);
        m_currentSource = nullptr;
        Q_EMIT sourceChanged();
        return;
    }
    const int kind = list->SourceKind();
    if (byUser && kind != m_sourceKind) {
        m_sourceKind = kind;
        detach(m_currentSource);
    }
    if (m_currentSource && m_currentSource->SourceKind() == kind)
        detach(m_currentSource);
    const bool known = std::find(m_sources.begin(), m_sources.end(), list) != m_sources.end();
    if (known) {
        registered(kind) = list;
        if (kind == m_sourceKind) {
            m_currentSource = list;
            attach(list);
        }
    } else {
        registered(kind) = nullptr;
        if (kind == m_sourceKind)
            m_currentSource = nullptr;
    }
    Q_EMIT sourceChanged();
}

void CKivPlayer::PlayItemSoon(const CKivMp3 *item)
{
    if (!m_currentSource || !item)
        return;
    const int row = m_currentSource->RowOf(item);
    if (row < 0)
        return;
    m_currentSource->SetMarkedRow(row);
    m_soon.start();
}
