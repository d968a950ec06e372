#pragma once

#include "mp3/item/Mp3Item.h"

#include <functional>
#include <vector>

class CKivDatabase;

// Deletes the files of selected MP3 items from disk (into the trash where the medium has one), one
// after the other, and their catalog rows. The caller has asked the user (KivDiskDelete::Confirm).
// The first item the user may not delete (a file of a medium that is not online, a pending import
// or a requested file, or a file the system refuses to remove) stops the run with the warning;
// files already deleted stay deleted.
namespace KivMp3FileDelete {

QString NoAccessText();
QString Caption();

// deleted is called for each item whose file is gone (its deleted flag set). Returns how many
// files were deleted; stopped tells whether an item stopped the run.
int run(const std::vector<CKivMp3::Ptr> &items, CKivDatabase &db,
        const std::function<void(const CKivMp3::Ptr &)> &deleted, bool *stopped = nullptr);

} // namespace KivMp3FileDelete
