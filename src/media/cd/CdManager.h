#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class CKivCdMediumForm;
class CKivDatabase;
class CKivMedienListe;
class CKivMedium;
class QSocketNotifier;
class QTimer;

// Watches the CD drive of the settings: recognises the disc in it (by the name in its header file,
// else by its total size), puts the matching CD medium online and the one seen before offline, and
// offers to register a disc it does not know. It checks every 5 seconds, and at once when the
// system's mount table changes. cdChanged() tells the views that the label or the CDs changed.
class CKivCdManager : public QObject
{
    Q_OBJECT

public:
    enum State { NoCd = 0, UnknownCd = 1, KnownCd = 2 };
    // Runs the CD medium dialog on a form; true when it was confirmed (the medium is then stored).
    using DialogRunner = std::function<bool(CKivCdMediumForm &)>;

    static QString WindowTitle() { return QStringLiteral("KivMediumCDManager Version 1.0"); }
    static constexpr int PollMilliseconds = 5000;

    CKivCdManager(CKivDatabase &db, QObject *parent = nullptr);
    ~CKivCdManager() override;

    // The drive setting: a mount point or a block device.
    void SetDrive(const QString &drive) { m_drive = drive; }
    void SetDialogRunner(DialogRunner runner) { m_runDialog = std::move(runner); }

    // Sets the known CD offline, checks, sets the found one online, tells the views and starts the
    // poll and the mount-table watch.
    void Start();
    void Stop();
    // Takes the CD media of the user's media set; checks again when started.
    void SetMedia(CKivMedienListe *media);
    // One poll: a check when the disc's size differs from the one seen last.
    void Tick();

    // Registers the disc in the drive as a new CD medium through the CD medium dialog.
    bool CreateCdMedium();

    QString GetLabel() const { return m_label; }
    int GetState() const { return m_state; }
    int GetCurrentMediumID() const { return m_currentId; }
    bool IsRunning() const;
    // The CDs the folder tree shows: every CD medium with offlineCds, else only the recognised one.
    std::vector<CKivMedium *> CdsToShow(bool offlineCds) const;

Q_SIGNALS:
    void cdChanged();

private:
    void check();
    void setKnownCdState(int state);
    void watchMountTable();
    // The ID and name of the CD medium named name (a disk medium of that name does not count).
    bool findByName(const QString &name, int &id);
    bool findBySize(const QString &sizeText, int &id, QString &name);

    CKivDatabase &m_db;
    QString m_drive;
    DialogRunner m_runDialog;
    CKivMedienListe *m_media = nullptr;
    std::vector<CKivMedium *> m_cdMedia;

    QString m_label = QStringLiteral("CD");
    QString m_storedSize;
    QString m_headerName;
    int m_state = NoCd;
    int m_currentId = -1;
    bool m_hasHeaderFile = false;
    bool m_hasSize = false;
    bool m_started = false;
    bool m_checking = false;

    std::unique_ptr<QTimer> m_timer;
    std::unique_ptr<QSocketNotifier> m_mountWatch;
    int m_mountFd = -1;
};
