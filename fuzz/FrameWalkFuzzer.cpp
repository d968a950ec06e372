// Walks arbitrary bytes with the buffered walk at several buffer sizes and with the reference walk;
// any difference, crash or hang is a finding.
#include "mp3/FrameWalk.h"
#include "mp3/MemorySource.h"
#include "mp3/SlowFrameWalk.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    CKivMemorySource source(reinterpret_cast<const char *>(data), qint64(size));
    const KivMpeg::FrameWalkResult expected = slowWalkFrames(source);
    for (qint64 chunk : {qint64(16), qint64(333), qint64(4096), KivMpeg::kDefaultChunkSize}) {
        const KivMpeg::FrameWalkResult got = KivMpeg::walkFrames(source, chunk);
        if (!(got == expected))
            std::abort();
    }
    if (expected.frames < 0 || expected.averageBitRate() < 0 || expected.lengthSeconds() < 0)
        std::abort();
    return 0;
}
