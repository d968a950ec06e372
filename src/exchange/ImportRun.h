#pragma once

#include "mp3/item/Mp3Item.h"

#include <QString>

#include <functional>
#include <vector>

class CKivDatabase;
class CKivMedienListe;

// Imports the selected files that can be imported now (status 4): from an export volume when the
// item came from an export file, else from the friend's online medium. Each file is copied to its
// destination under a free name (never over an existing file) and its waiting row becomes an
// ordinary one. A file that cannot be copied is counted and the run goes on; the count is reported
// at the end. The rows are written for every chunk of files together, after their copies.
namespace KivImportRun {

// Files whose copies are made before their rows are written in one transaction. Few enough that a
// run stopped in the middle leaves little copied without its row.
constexpr int ChunkFiles = 32;

struct Result
{
    bool ran = false;  // false: nothing was selected
    int imported = 0;
    int failed = 0;
    // Full paths of the files copied, in order.
    std::vector<QString> copiedTo;
};

// Before each file: its position (1-based) of total, and its name.
using Progress = std::function<void(int done, int total, const QString &filename)>;

Result Run(const std::vector<CKivMp3::Ptr> &selected, const CKivMedienListe *media, CKivDatabase &db,
           const Progress &progress = {});

} // namespace KivImportRun
