#pragma once

#include <QString>

#include <functional>
#include <set>
#include <utility>

// The search of a medium scan: every MP3 file ("*.mp3" in any case) in a folder and all folders below
// it. Files of a folder come first, sorted by name, then its sub-folders one by one, sorted by name.
//
// Symbolic links are followed to what lies outside the medium (a collection linked in from another
// disk); a link to a folder inside the medium is passed over, as the walk of the whole medium finds
// that folder under its own path. Every folder is entered once only, so links that form a loop end
// the descent instead of repeating it. Folders that cannot be read are passed over. A folder
// or file whose own name contains "\" cannot be kept in a catalog sub-path and is passed over and
// reported. Names that are not valid in the file system's encoding are passed over as well.
class CKivScanWalk
{
public:
    struct Callbacks
    {
        // Asked before each folder and file; true stops the walk.
        std::function<bool()> cancelled;
        // An MP3 file: its folder's sub-path (catalog form, "\"-separated) and its name.
        std::function<void(const QString &subPath, const QString &fileName)> file;
        // A folder (isFolder) or file passed over because its name holds "\"; path is the local path.
        std::function<void(const QString &path, bool isFolder)> backslashName;
    };

    explicit CKivScanWalk(Callbacks callbacks);

    // Walks folder (a local path) whose sub-path is subPath, below the medium's root mediumRoot.
    // False when it was cancelled.
    bool Run(const QString &folder, const QString &subPath, const QString &mediumRoot);

    // Whether name ends with ".mp3", in any case.
    static bool IsMp3Name(const QString &name);

private:
    // A folder by device and inode: the same folder under whatever path a link gives it.
    using FolderId = std::pair<quint64, quint64>;

    bool walk(const QByteArray &folder, const QString &subPath);
    bool insideMedium(const QByteArray &linkedFolder) const;

    Callbacks m_callbacks;
    QByteArray m_mediumRoot;  // resolved, ending in "/"
    std::set<FolderId> m_visited;
};
