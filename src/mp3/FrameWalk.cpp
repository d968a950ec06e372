#include "mp3/FrameWalk.h"

#include "mp3/MpegTables.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>

namespace KivMpeg {
namespace {

// One buffer per thread, reused by every walk on it, so a scan does not allocate per file.
struct ThreadBuffer
{
    std::unique_ptr<unsigned char[]> data;
    qint64 capacity = 0;

    unsigned char *reserve(qint64 size)
    {
        if (capacity < size) {
            data = std::make_unique<unsigned char[]>(size_t(size));
            capacity = size;
        }
        return data.get();
    }
};

thread_local ThreadBuffer t_buffer;

// A window of the source held in the buffer: bytes [m_start, m_start + m_length).
class ChunkReader
{
public:
    ChunkReader(IKivByteSource &source, qint64 chunkSize)
        : m_source(source), m_capacity(std::max<qint64>(chunkSize, 16)), m_data(t_buffer.reserve(m_capacity))
    {
    }

    // Makes the four bytes at pos available; false when the source has fewer than four there.
    bool fill(qint64 pos)
    {
        if (pos >= m_start && pos + 4 <= m_start + m_length)
            return true;
        const qint64 n = m_source.readAt(pos, reinterpret_cast<char *>(m_data), m_capacity);
        m_start = pos;
        m_length = std::max<qint64>(n, 0);
        return m_length >= 4;
    }

    const unsigned char *at(qint64 pos) const { return m_data + (pos - m_start); }
    qint64 end() const { return m_start + m_length; }

    // Finds the first header at pos or within the kSyncWindow positions after it. On success pos
    // is the header's position and word the header.
    bool findSync(qint64 &pos, quint32 &word)
    {
        const qint64 last = pos + kSyncWindow;
        while (pos <= last) {
            if (!fill(pos))
                return false;
            // Positions whose four bytes lie in the buffer, up to the end of the window.
            const qint64 count = std::min(end() - 3 - pos, last - pos + 1);
            const unsigned char *p = at(pos);
            const unsigned char *const stop = p + count;
            while (p < stop) {
                const auto *hit = static_cast<const unsigned char *>(std::memchr(p, 0xFF, size_t(stop - p)));
                if (!hit)
                    break;
                if ((hit[1] & 0xE0) == 0xE0) {
                    pos += hit - at(pos);
                    word = bigEndianWord(hit);
                    return true;
                }
                p = hit + 1;
            }
            pos += count;
        }
        return false;
    }

private:
    IKivByteSource &m_source;
    qint64 m_capacity;
    unsigned char *m_data;
    qint64 m_start = 0;
    qint64 m_length = 0;
};

} // namespace

int FrameWalkResult::lengthSeconds() const
{
    return duration >= double(INT_MAX) ? INT_MAX : int(duration);
}

qint64 walkStart(IKivByteSource &source)
{
    unsigned char header[10];
    const qint64 n = source.readAt(0, reinterpret_cast<char *>(header), sizeof header);
    return id3v2TagSize(header, n);
}

FrameWalkResult walkFrames(IKivByteSource &source, qint64 chunkSize)
{
    FrameWalkResult r;
    ChunkReader reader(source, chunkSize);
    qint64 pos = walkStart(source);
    quint32 word = 0;
    if (!reader.findSync(pos, word))
        return r;

    // The first header decides version, layer and CRC of the whole file; they are kept only when
    // that frame is counted.
    const int version = versionCode(word);
    const int layer = layerCode(word);
    const int crc = crcFlag(word);
    int rate = 0;
    int sampleRateHz = 0;
    for (;;) {
        if (layer > 0)
            rate = bitRate(version, layer, bitRateIndex(word));
        if (rate > 0)
            r.bitRateSum += rate;
        const int sr = sampleRate(version, sampleRateIndex(word));
        if (sr != 0)
            sampleRateHz = sr;
        if (sampleRateHz == 0)
            break;
        if (r.frames == 0) {
            r.version = version;
            r.layer = layer;
            r.crc = crc;
        }
        r.sampleRate = sampleRateHz;
        r.channelMode = channelModeCode(word);
        r.copyright = copyrightBit(word);
        r.original = originalBit(word);
        r.emphasis = emphasisCode(word);

        const int length = frameLength(version, layer, rate, sampleRateHz, paddingBit(word));
        ++r.frames;
        // Only a known bit rate gives a playing time: index 15 (-1) would subtract time, down to a
        // negative length.
        if (rate > 0)
            r.duration += length * 8.0 / (rate * 1000);

        // A frame shorter than its header is searched from right behind the header.
        pos += std::max(length, 4);
        if (!reader.findSync(pos, word))
            break;
    }
    return r;
}

} // namespace KivMpeg
