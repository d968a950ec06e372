#pragma once

class CKivScanList;

// The second phase of a scan, run on its own worker thread with its own catalog connection: stores
// every item the first phase built, with the Folder rows of its folder and the folders above it.
// Rows are written in transactions of a bounded number of items, each committed when it is full, so
// a cancelled or failing scan keeps what was stored before. Clears the list's busy flag when it ends.
namespace KivScanStore {

// Items per transaction.
constexpr int BatchSize = 2000;

void Run(CKivScanList &list);

} // namespace KivScanStore
