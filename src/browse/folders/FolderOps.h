#pragma once

#include "browse/folders/FolderChange.h"
#include "browse/folders/FolderEntry.h"

#include <QString>

#include <vector>

class CKivDatabase;
class CKivMp3Liste;

// The file operations of the folder tree and the file list: moving inside a medium, copying to
// another medium (from an offline medium: registering pending imports, no file touched), new
// names, deleting and new folders. Each changes the file system first and then brings every Folder,
// Mp3s and Import row in line in one transaction; when the catalog refuses, the transaction is
// rolled back, the file operation is taken back where possible and the user is told. The items of
// the loaded lists follow every change; the caller announces the changes (hint 401).
class CKivFolderOps
{
public:
    struct Result
    {
        bool ok = false;
        CKivFolderEntry::Ptr entry;  // the entry that resulted (moved, copied, renamed, created)
        std::vector<CKivFolderChange> changes;
    };

    explicit CKivFolderOps(CKivDatabase &db, std::vector<CKivMp3Liste *> lists = {});

    // A disk folder or file into a medium or disk folder of the same, online medium.
    Result Move(const CKivFolderEntry::Ptr &source, const CKivFolderEntry::Ptr &target);
    // A disk folder or file of an online medium into a medium or disk folder of another online
    // medium; or a catalog folder or file of an offline medium, registered as pending imports at a
    // medium or folder of another medium.
    Result Copy(const CKivFolderEntry::Ptr &source, const CKivFolderEntry::Ptr &target);
    // A new name for a disk folder or file (".mp3" added to a file name that lacks it).
    Result Rename(const CKivFolderEntry::Ptr &entry, const QString &newName);
    // Deletes the entries in order from disk and catalog; a medium or an entry the user cannot
    // reach stops the command, entries deleted before stay deleted.
    Result Delete(const std::vector<CKivFolderEntry::Ptr> &entries);
    // Creates the folder name in the current entry's folder (a medium, disk folder or disk file).
    Result CreateFolder(const CKivFolderEntry::Ptr &current, const QString &name);
    // What a drop onto target does with each source: a copy to another medium, a move (after the
    // user agreed) inside the same one.
    Result Drop(const std::vector<CKivFolderEntry::Ptr> &sources, const CKivFolderEntry::Ptr &target);

    // Messages shown by the operations.
    static void TellInvalidOperation();

private:
    Result moveFolder(const CKivFolderEntry::Ptr &source, const CKivFolderEntry::Ptr &target);
    Result moveFile(const CKivFolderEntry::Ptr &source, const CKivFolderEntry::Ptr &target);
    Result copyFromDisk(const CKivFolderEntry::Ptr &source, const CKivFolderEntry::Ptr &target);
    Result copyFromCatalog(const CKivFolderEntry::Ptr &source, const CKivFolderEntry::Ptr &target);
    bool deleteOne(const CKivFolderEntry::Ptr &entry);
    static bool isOnlineFolder(const CKivFolderEntry &entry);
    // Lets the items of the loaded lists follow the changes.
    void applyToLists(const std::vector<CKivFolderChange> &changes) const;

    CKivDatabase &m_db;
    std::vector<CKivMp3Liste *> m_lists;
};
