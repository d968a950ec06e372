#pragma once

class CKivScanList;

// The first phase of a scan, run on its own worker thread: finds the MP3 files below the scan folder
// of the scan's medium and builds an item for each, analysed fully or, with quick import, by its tag
// only. Clears the list's busy flag when it ends, however it ends.
namespace KivScanFind {

void Run(CKivScanList &list);

} // namespace KivScanFind
