#pragma once

#include "media/catalog/MediaHost.h"
#include "media/scan/ScanList.h"

#include <QObject>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class CKivCdManager;
class CKivDatabase;
class CKivFilter;
class CKivMedienListe;
class CKivMedium;
class CKivMp3;
class CKivMp3Liste;
class CKivScanDriver;
class CKivSettings;

// The one document: the state of a login (user, media set, view options) and the MP3 lists the
// views show. It tells its views about every change through updateAllViews with a hint number and
// its payload; it starts scans and takes their results over when they end. Everything here runs on
// the user-interface thread; a running scan works on its own copy of the medium.
class CMelvoraDoc : public QObject, public IKivMediaHost
{
    Q_OBJECT

public:
    // Hint numbers of updateAllViews sent by the document itself.
    enum Hint : int {
        HintListReplaced = 101,  // payload: the CKivMp3Liste whose items were replaced
        HintLabelEdit = 104,     // payload: the document when switched on, null when off
        HintOpenExport = 105,    // payload: the path of the export file
        HintOpenImport = 106,    // payload: the path of the import list
        HintMediaChanged = 201,  // payload: null
        HintCdChanged = 202,     // the CD manager's label or CDs changed; payload: null
    };

    CMelvoraDoc(CKivSettings &settings, CKivDatabase &db, CKivFilter &filter, QObject *parent = nullptr);
    ~CMelvoraDoc() override;

    static QString Title() { return QStringLiteral("Melvora Version 1.1 Beta"); }

    // --- session
    // A new empty document: nobody logged in, fresh MP3 lists, no media set. The old lists and
    // media go away; the views hear hint 201 and hint 101 with each new list and rebind to it.
    bool OnNewDocument();
    // Builds the state of a successful login, then carries out the installation hand-over.
    void OnLogin(const QString &userName, int userId);
    int GetUserID() const { return m_userId; }
    QString GetUserName() const { return m_userName; }
    QString GetTitle() const { return m_title; }

    // --- what the views reach
    CKivMp3Liste *GetMp3Liste() const { return m_mp3Liste.get(); }
    // The MP3 list loads in steps from the event loop (the program's windows; off by default).
    void SetListsLoadInSteps(bool on);
    CKivMp3Liste *GetMediumListe() const { return m_mediumListe.get(); }
    CKivMedienListe *GetMedia() const override { return m_media.get(); }
    CKivCdManager *GetCdManager() const { return m_cdManager.get(); }
    // Reads the user's media set anew (after media were deleted or changed elsewhere) and tells the
    // views (hint 201).
    void ReloadMedia() override;
    CKivFilter &GetFilter() const { return m_filter; }
    CKivDatabase &GetDatabase() const override { return m_db; }
    CKivSettings &GetSettings() const { return m_settings; }
    CKivMedium *FindMedium(const QString &mediumName) const;
    // Lets every medium of the user check again whether it is online; called before queries.
    void RefreshMediaState();
    // Passes a hint of another part of the program on to the views.
    void UpdateAllViews(int hint, const QVariant &payload = QVariant());

    // --- view options (0 or 1), with the commands that toggle them
    int GetQuickImport() const { return m_quickImport; }
    int GetDragDrop() const { return m_dragDrop; }
    int GetLabelEdit() const { return m_labelEdit; }
    int GetOfflineCds() const { return m_offlineCds; }
    bool IsOnlineMedia() const;
    void OnQuickImport();
    void OnDragDrop();
    void OnLabelEdit();
    void OnOfflineCds();
    void OnOnlineMedia();

    // --- scans
    // Asks and starts a scan of a medium (subPath empty) or of one of its folders. False when a scan
    // runs already, the user said no, or the scan could not start.
    bool StartScan(const QString &mediumName, const QString &subPath);
    // One tick of the frame's 100 ms timer: drives the scan's phases and, when the scan has ended,
    // takes its result over (OnScanFinished). True while the scan still runs.
    bool PollScan();
    // The MP3 list takes over the finished scan's items and the scan is forgotten.
    void OnScanFinished();
    CKivScanList *GetScanList() const { return m_scanList.get(); }
    // True while a scan or an archive import runs: the user may not be switched then.
    bool IsImporting() const;
    void SetArchiveImportRunning(bool running) { m_archiveImportRunning = running; }

    // --- medium archive import
    // Creates the archive's medium and starts storing its items on a worker. False when refused.
    bool StartArchiveImport(const QString &path) override;
    // One tick of the import's timer: true while the items are still being stored; when done the
    // import is forgotten.
    bool PollArchiveImport() override;
    // Escape: the items not yet stored are dropped.
    void CancelArchiveImport() override;
    CKivScanList *GetArchiveImportList() const override { return m_archiveList.get(); }

    // --- "Datei von Festplatte Öffnen...": the file the user chose in the file dialog
    using ArchiveOpener = std::function<bool(const QString &path)>;
    // Opens a medium archive for this document; true when it was imported.
    void SetArchiveOpener(ArchiveOpener opener) { m_archiveOpener = std::move(opener); }
    void OpenFile(const QString &path);

    // --- the player's hold on files
    // Before a file is written, moved, renamed or deleted, its caller asks the player to let go of
    // it. The player registers itself here; without a player this does nothing.
    using FileReleaser = std::function<void()>;
    void SetFileReleaser(FileReleaser releaser) { m_fileReleaser = std::move(releaser); }
    void ReleaseFile() const
    {
        if (m_fileReleaser)
            m_fileReleaser();
    }

    // A file the user opened in the file list plays as soon as the MP3 list shows it. The player
    // registers itself here; without a player this does nothing.
    using ItemPlayer = std::function<void(const CKivMp3 *item)>;
    void SetItemPlayer(ItemPlayer player) { m_itemPlayer = std::move(player); }
    void PlayItemSoon(const CKivMp3 *item) const
    {
        if (m_itemPlayer)
            m_itemPlayer(item);
    }

Q_SIGNALS:
    void updateAllViews(int hint, const QVariant &payload);
    // A new document is about to replace the lists and the media set: whoever holds items, lists or
    // media of this one writes what it must keep (the playlist) and lets go of them now.
    void documentResetting();
    // A login set the user; the frame shows the name.
    void userChanged(const QString &userName);
    // The frame shows the standard MP3 list (before an import list or export file is shown).
    void showStandardList();
    // A scan started on this list: the frame starts its timer, the progress window shows the list.
    void scanStarted(CKivScanList *list);
    // The scan ended and its items are in the MP3 list.
    void scanFinished();

private:
    void createLists();
    void takeMedia(std::unique_ptr<CKivMedienListe> media);
    void runHandOver();
    void announceList(CKivMp3Liste *list);

    CKivSettings &m_settings;
    CKivDatabase &m_db;
    CKivFilter &m_filter;

    int m_quickImport = 0;
    bool m_listsInSteps = false;
    int m_dragDrop = 0;
    int m_labelEdit = 0;
    int m_offlineCds = 0;
    int m_userId = -1;
    QString m_userName;
    QString m_title;

    // Declared before the lists that hold items placed on them, so they are destroyed after them.
    std::unique_ptr<CKivMedienListe> m_media;
    // The scans' own copies of their media, kept as long as their items may be in the lists.
    std::vector<std::shared_ptr<CKivMedium>> m_scannedMedia;
    std::unique_ptr<CKivMp3Liste> m_mp3Liste;
    std::unique_ptr<CKivMp3Liste> m_mediumListe;

    std::shared_ptr<CKivScanList> m_scanList;
    std::unique_ptr<CKivScanDriver> m_scanDriver;
    std::shared_ptr<CKivScanList> m_archiveList;
    std::unique_ptr<CKivScanDriver> m_archiveDriver;
    std::unique_ptr<CKivCdManager> m_cdManager;
    bool m_archiveImportRunning = false;
    ArchiveOpener m_archiveOpener;
    FileReleaser m_fileReleaser;
    ItemPlayer m_itemPlayer;
};
