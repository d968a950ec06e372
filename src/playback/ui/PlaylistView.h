#pragma once

#include "browse/ui/lists/Mp3ListView.h"

#include <QTimer>

#include <memory>

class QPushButton;

// The playlist: an MP3 list of the player's second kind over the user's own list of items, kept in
// a playlist file (*.atp) that is loaded again at the next start and always written back when the
// view closes or the user is switched. Items come from the MP3 lists, the folder tree and the file
// list ("Mp3's in Playlist Einfügen", drag and drop).
class CKivPlaylistView : public CKivMp3ListView
{
    Q_OBJECT

public:
    enum PlaylistCommand : int {
        CmdRemoveSelection = 33083,
        CmdPlaylistNew = 33084,
        CmdPlaylistOpen = 33085,
        CmdPlaylistSaveAs = 33086,
    };
    enum PlaylistHint : int { HintOwnCollection = 103 };

    CKivPlaylistView(CMelvoraDoc &doc, CKivSettings &settings, CKivCommandRegistry &commands,
                     QWidget *parent = nullptr);
    ~CKivPlaylistView() override;

    static QString DisplayName() { return QStringLiteral("Playliste I"); }
    static QString ColumnProfile() { return QStringLiteral("MelvoraPlV104"); }
    static QString DefaultFileName() { return QStringLiteral("default.atp"); }
    static QString Filter() { return QStringLiteral("Kiv Playlist File (*.atp)"); }
    // The process's current folder with "default.atp".
    static QString DefaultPath();

    CKivMp3Liste &Data() const { return *m_data; }
    QString FileName() const { return m_fileName; }
    QString Caption() const;

    // --- the file operations (the dialogs are the commands' part)
    // Loads the file into the playlist data; false (with the message) when it cannot be read.
    bool LoadFile(const QString &path);
    // Writes the rows as the list shows them; false (with the message) on failure, the old file kept.
    bool WriteFile(const QString &path);
    void New();
    bool OpenPath(const QString &path);
    bool SaveAsPath(const QString &path);
    // Saves the column layout and writes the playlist to its file (default.atp when it has none).
    void Close();
    // The next login starts without items and loads its user's playlist.
    void ResetForLogin();

Q_SIGNALS:
    // "Automatisch Starten": the list is to be the source chosen by the user, and play.
    void autoStartRequested();

protected:
    Look look() const override;
    QString arrangementSection() const override { return ColumnProfile(); }
    int rowHeight() const override { return 20; }
    bool queryOwnCommand(int id, State &state) const override;
    bool onOwnCommand(int id) override;
    void onHint(int hint, const QVariant &payload) override;
    std::unique_ptr<QMenu> buildContextMenu() override;

private:
    void startUpLoad();
    void refill();
    void appendItems(const QVariant &payload);
    void removeSelection();
    void setFileName(const QString &name);
    void syncData();
    void openWithDialog();
    void saveAsWithDialog();

    std::unique_ptr<CKivMp3Liste> m_data;
    QPushButton *m_caption = nullptr;
    QString m_fileName = QStringLiteral("Unbenannt.atp");
    QTimer m_autoStart;
    // Set by the login's first list: from then on the playlist belongs to a user and is written.
    bool m_active = false;
};
