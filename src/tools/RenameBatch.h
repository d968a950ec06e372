#pragma once

#include "tools/BatchRows.h"

#include <vector>

class CKivBatchUndo;
class CKivDatabase;

// One row of a renaming: the item and the name it is to get.
struct KivRenameJob
{
    CKivMp3::Ptr item;
    QString preview;
};

namespace KivRenameBatch {

// For every job whether another job of the same folder asks for the same final name (the rename
// would then give way to "Song (2).mp3").
std::vector<bool> Collisions(const std::vector<KivRenameJob> &jobs);

// What a job would do, without renaming: unchanged, the new name, or why the name is unusable.
KivFileOutcome Preview(const KivRenameJob &job, bool collides);

// Renames every item to its preview through the item (file and catalog row, never overwriting).
// A row whose preview is unusable (empty, ".", "..", a separator) is not renamed and is reported
// as failed; the others go on. undo, when given, records the batch. The rows of every chunk of
// files are written together (CKivBatchRows).
KivBatchSummary Run(const std::vector<KivRenameJob> &jobs, CKivDatabase &db, const KivBatchHooks &hooks,
                    CKivBatchUndo *undo, int chunk = CKivBatchRows::DefaultChunk);

} // namespace KivRenameBatch
