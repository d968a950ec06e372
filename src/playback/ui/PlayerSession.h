#pragma once

#include <QObject>

#include <functional>
#include <memory>
#include <vector>

class CKivListPlaySource;
class CKivMp3ListView;
class CKivMpris;
class CKivPlayer;
class CMelvoraDoc;
class IKivMediaBackend;
class IKivPlayerListener;
class QWidget;

// The player of one login with everything that meets it: the list views as its sources, the
// document's hooks for letting go of files and playing an opened file, and the desktop's media
// controls. Created at every login and destroyed before the document is rebuilt, so no pointer
// into a former login's lists or media survives.
class CKivPlayerSession : public QObject
{
    Q_OBJECT

public:
    CKivPlayerSession(CMelvoraDoc &doc, std::unique_ptr<IKivMediaBackend> backend, QObject *parent = nullptr);
    ~CKivPlayerSession() override;

    CKivPlayer &Player() const { return *m_player; }
    CKivMpris *Mpris() const { return m_mpris.get(); }

    // A list view of the given source kind; its double-clicks play and its hints make it the source.
    void AddListView(CKivMp3ListView &view, int kind, const QString &displayName);
    // A panel refreshed on every tick (the first one added is the player bar's display).
    void AddListener(IKivPlayerListener &panel);
    // Publishes the player on the session bus, with the window's raise and quit.
    void PublishOnBus(std::function<void()> raise, std::function<void()> quit);

    // The view of the list the player plays, or null.
    QWidget *CurrentSourceView() const;
    CKivListPlaySource *SourceOf(const CKivMp3ListView &view) const;

private:
    CMelvoraDoc &m_doc;
    std::vector<std::unique_ptr<CKivListPlaySource>> m_sources;
    std::unique_ptr<CKivPlayer> m_player;
    std::unique_ptr<CKivMpris> m_mpris;
    std::vector<IKivPlayerListener *> m_listeners;
};
