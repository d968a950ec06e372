#pragma once

#include "browse/folders/FolderEntry.h"
#include "mp3/item/Mp3Item.h"

#include <vector>

class CKivDatabase;

// The catalogued MP3s below folder entries, for "Mp3's in Liste Einfügen" and "Mp3's in Playlist
// Einfügen": every file of a folder's subtree (only rows whose sub-path begins with the folder's),
// the file of a file entry, everything of a medium; each file once, in the order of the entries.
namespace KivFolderCollect {

std::vector<CKivMp3::Ptr> Mp3sBelow(CKivDatabase &db, const std::vector<CKivFolderEntry::Ptr> &entries);

} // namespace KivFolderCollect
