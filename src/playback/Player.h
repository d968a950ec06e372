#pragma once

#include "mp3/item/Mp3Item.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <vector>

class CMelvoraDoc;
class IKivMediaBackend;
class IKivPlaySource;
class IKivPlayerListener;

// The one player of a login: decides which item of which list plays, checks that its medium is
// reachable before the back end gets the file, keeps its own play state beside the back end's, and
// refreshes its display panels on a half-second tick that also moves on at the end of a track.
// Everything runs on the user-interface thread.
class CKivPlayer : public QObject
{
    Q_OBJECT

public:
    enum State : int { NoFile = 0, Playing = 1, Paused = 2, Stopped = 3, EndedIdle = 4, EndedPlaying = 5 };
    enum DisplayMode : int { ModeBanner = 0, ModeTitle = 1, ModeVolume = 2, ModeSource = 3 };
    enum Kind : int { KindMp3List = 0, KindPlaylist = 1 };
    static constexpr int HintItemLoaded = 501;
    static constexpr int MinVolume = -10000;
    static constexpr int MaxVolume = 0;
    static constexpr int VolumeStep = 200;

    explicit CKivPlayer(std::unique_ptr<IKivMediaBackend> backend, QObject *parent = nullptr);
    ~CKivPlayer() override;

    IKivMediaBackend &Backend() const { return *m_backend; }
    void SetDocument(CMelvoraDoc *doc) { m_doc = doc; }

    // --- commands
    void Play();
    void PauseToggle();
    void Stop();
    void FastForward();
    void FastRewind();
    void Next();
    void Previous();
    void VolumeUp();
    void VolumeDown();
    void ToggleSource();
    // Sets the volume directly (clamped to -10000..0), shown like a volume command.
    void SetVolume(int volume);
    // Moves to an absolute position while playing or paused (clamped at 0).
    void SetPosition(double seconds);

    // --- sources
    void SetSource(int kind);
    void RegisterSource(IKivPlaySource *list);
    // A list going away: it is forgotten and no longer played.
    void UnregisterSource(IKivPlaySource *list);
    void SetActiveSource(IKivPlaySource *list, bool byUser);
    IKivPlaySource *CurrentSource() const { return m_currentSource; }
    int SourceKind() const { return m_sourceKind; }
    // Marks the row of item in the current source and plays it 100 ms later.
    void PlayItemSoon(const CKivMp3 *item);

    // --- the file
    // Lets go of the file on disk (the back end gets an empty file name).
    void ReleaseFile();
    void SetFile(const QString &path, bool autoStart);
    QString CurrentFile() const { return m_currentFile; }
    // The item loaded last, as long as its file is still set.
    CKivMp3::Ptr CurrentItem() const { return m_currentFile.isEmpty() ? nullptr : m_currentItem; }
    int EffectiveState() const;
    int PlayState() const { return m_playState; }
    bool IsPlayable(const CKivMp3 *item) const;

    // --- displays
    void AddListener(IKivPlayerListener *panel);
    void RemoveListener(IKivPlayerListener *panel);
    // One tick: display countdown, automatic Next at the end of a track, listeners refreshed.
    void Tick();
    QString DisplayText() const;
    double Position() const;
    double Duration() const;
    double Progress() const;
    int Volume() const;
    int GetDisplayMode() const { return m_displayMode; }
    int GetDisplayCountdown() const { return m_displayCountdown; }
    int GetSeekStep() const { return m_seekStep; }

    // "%02d;%02d" of whole minutes and seconds (-1 counts as 0; minutes are not wrapped into hours).
    static QString TimeText(double seconds);
    // The title of a path: after the last separator, up to the last "."; empty without a ".".
    static QString TitleOf(const QString &path);
    static QString VolumeText(int volume);
    static QString BannerText();
    static QString NoDataText() { return QStringLiteral("Keine Daten zum abspielen gefunden !"); }
    static QString NothingPlayableText();

Q_SIGNALS:
    // The play state, the loaded item or the volume changed (for the desktop's media controls).
    void stateChanged();
    void trackChanged();
    void volumeChanged();
    void sourceChanged();
    void seeked(double seconds);

private:
    bool playableRow(int row) const;
    int findPlayable(int from, int step) const;
    int playableCount() const;
    bool loadItem(const CKivMp3::Ptr &item);
    void moveMark(int step);
    void showMessage(int mode);
    void detach(IKivPlaySource *list);
    void attach(IKivPlaySource *list);
    IKivPlaySource *&registered(int kind);
    void advanceAfterEnd();
    void setPlayState(int state);

    std::unique_ptr<IKivMediaBackend> m_backend;
    QString m_currentFile;
    int m_playState = 0;
    int m_seekStep = 10;
    int m_displayMode = ModeBanner;
    int m_displayCountdown = 5;
    int m_displayHold = 5;
    std::vector<IKivPlayerListener *> m_listeners;
    int m_sourceKind = KindMp3List;
    CMelvoraDoc *m_doc = nullptr;
    int m_tickPeriod = 500;
    IKivPlaySource *m_currentSource = nullptr;
    IKivPlaySource *m_playlistSource = nullptr;
    IKivPlaySource *m_mp3ListSource = nullptr;
    std::vector<IKivPlaySource *> m_sources;

    CKivMp3::Ptr m_currentItem;
    // Files in a row that ended without playing; a full round of them stops the player.
    int m_failedInRow = 0;
    QTimer m_tick;
    QTimer m_soon;
};
