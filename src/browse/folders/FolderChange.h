#pragma once

#include "browse/folders/FolderEntry.h"
#include "mp3/item/Mp3Item.h"

#include <QMetaType>
#include <QString>

#include <vector>

// What one file operation did to one entry, sent with hint 401: an entry was added, removed or took
// a new name. A removal that is the first half of a move says where the entry went, so that items
// of the moved files follow it instead of being flagged deleted.
struct CKivFolderChange
{
    enum Kind { Added, Removed, Renamed };

    Kind kind = Added;
    CKivFolderEntry::Ptr entry;  // as it is now (for Removed: as it was)
    QString mediumName;
    QString oldSubPath;   // the folder's own sub-path, or the folder of the file
    QString oldFilename;  // empty for folders
    bool moved = false;   // Removed: the entry went to newSubPath / newFilename
    QString newSubPath;
    QString newFilename;

    bool IsFolder() const { return oldFilename.isEmpty(); }

    // Brings an item in line: items of a removed file or folder are flagged deleted; items of a
    // moved or renamed one take the new place. True when the item changed.
    bool ApplyTo(CKivMp3 &item) const;
    void ApplyTo(const std::vector<CKivMp3::Ptr> &items) const;

    static CKivFolderChange added(const CKivFolderEntry::Ptr &entry);
    static CKivFolderChange removed(const CKivFolderEntry::Ptr &entry);
};

Q_DECLARE_METATYPE(CKivFolderChange)
