#pragma once

#include "mp3/ByteSource.h"

#include <QtGlobal>

namespace KivMpeg {

// What walking the frames of a file yields. Version, layer and CRC come from the first counted frame,
// channel mode, emphasis, copyright and original from the last one.
struct FrameWalkResult
{
    qint64 frames = 0;
    qint64 bitRateSum = 0; // kbit/s of every counted frame with a bit rate above 0
    double duration = 0.0; // seconds, summed over the frames with a bit rate above 0
    int version = 0;
    int layer = 0;
    int crc = 0;
    int sampleRate = 0;
    int channelMode = 0;
    int emphasis = 0;
    int copyright = 0;
    int original = 0;

    // Bit-rate sum divided by every counted frame (free-format and index-15 frames included).
    int averageBitRate() const { return frames > 0 ? int(bitRateSum / frames) : 0; }
    // Playing time truncated to whole seconds.
    int lengthSeconds() const;

    bool operator==(const FrameWalkResult &) const = default;
};

// A sync search looks at its start position and the next kSyncWindow positions.
constexpr int kSyncWindow = 10000;
constexpr qint64 kDefaultChunkSize = 256 * 1024;

// Where the walk starts: behind an ID3v2 tag at the start of the source, else at 0.
qint64 walkStart(IKivByteSource &source);

// Walks the frames from walkStart() to the end of the source: each header found gives the next
// frame's length, the next header is searched from there within the sync window; the walk ends at
// the end of the data, at a read error, or when no header lies in the window. The source is read in
// chunks of chunkSize bytes (at least 16), each byte at most once in order.
FrameWalkResult walkFrames(IKivByteSource &source, qint64 chunkSize = kDefaultChunkSize);

} // namespace KivMpeg
