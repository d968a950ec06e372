#include "mp3/item/Mp3Status.h"

namespace KivMp3Status {

namespace {
constexpr int kStateNotAssigned = 0;
constexpr int kStateOffline = 1;
constexpr int kStateOnline = 2;
} // namespace

int Compute(bool marked, int importId, int listMark, int sourceMediumState, int mediumState, int id)
{
    if (marked)
        return Marked;
    if (importId != 0) {
        if (listMark != 0 || sourceMediumState == kStateOnline)
            return ImportReady;
        return ImportWaiting;
    }
    if (listMark != 0)
        return mediumState == kStateOnline ? RequestedOnline : RequestedOffline;
    if (id == -1)
        return NotStored;
    switch (mediumState) {
    case kStateNotAssigned:
        return NotAssigned;
    case kStateOffline:
        return Offline;
    case kStateOnline:
        return Online;
    default:
        return Unknown;
    }
}

} // namespace KivMp3Status
