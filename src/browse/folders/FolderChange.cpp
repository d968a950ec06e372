#include "browse/folders/FolderChange.h"

namespace {

CKivFolderChange describe(CKivFolderChange::Kind kind, const CKivFolderEntry::Ptr &entry)
{
    CKivFolderChange change;
    change.kind = kind;
    change.entry = entry;
    if (entry) {
        change.mediumName = entry->GetMediumName();
        change.oldSubPath = entry->GetSubPath();
        change.oldFilename = entry->IsFile() ? entry->GetFileName() : QString();
    }
    return change;
}

} // namespace

CKivFolderChange CKivFolderChange::added(const CKivFolderEntry::Ptr &entry)
{
    return describe(Added, entry);
}

CKivFolderChange CKivFolderChange::removed(const CKivFolderEntry::Ptr &entry)
{
    return describe(Removed, entry);
}

bool CKivFolderChange::ApplyTo(CKivMp3 &item) const
{
    if (kind == Added || item.GetMediumname() != mediumName)
        return false;
    const bool follows = kind == Renamed || moved;
    if (IsFolder()) {
        // A removed medium root would hold everything; operations never remove one.
        if (oldSubPath.isEmpty() || !item.GetSubPath().startsWith(oldSubPath))
            return false;
        if (follows)
            return item.MovePrefix(mediumName, oldSubPath, newSubPath);
        item.SetDeleted(true);
        return true;
    }
    if (item.GetSubPath() != oldSubPath || item.GetFilename() != oldFilename)
        return false;
    if (follows) {
        item.MarkIfInside(mediumName, oldSubPath, oldFilename);
        return item.ClearMarkById(item.GetID(), newSubPath, newFilename);
    }
    item.SetDeleted(true);
    return true;
}

void CKivFolderChange::ApplyTo(const std::vector<CKivMp3::Ptr> &items) const
{
    for (const CKivMp3::Ptr &item : items) {
        if (item)
            ApplyTo(*item);
    }
}
