#pragma once

// The status code of an MP3 item: what the lists show as its icon and what an import run selects.
//   0 on an online medium          1 medium not assigned to the user   2 medium offline
//   3 marked by a folder operation 4 pending import that can be done now
//   5 pending import whose source is not reachable
//   6 requested through an import list, medium online   7 the same, medium not online
//   8 medium in no known state      9 not stored in the catalog yet
namespace KivMp3Status {

enum Code : int {
    Online = 0,
    NotAssigned = 1,
    Offline = 2,
    Marked = 3,
    ImportReady = 4,
    ImportWaiting = 5,
    RequestedOnline = 6,
    RequestedOffline = 7,
    Unknown = 8,
    NotStored = 9,
};

// Medium states as the media report them; NoMedium stands for a medium that is missing.
constexpr int NoMedium = -1;

// The conditions in the order they are tested: the first that holds gives the code.
// sourceMediumState is the state of the pending import's source medium found by name (NoMedium when
// none is found), mediumState that of the item's own medium.
int Compute(bool marked, int importId, int listMark, int sourceMediumState, int mediumState, int id);

} // namespace KivMp3Status
