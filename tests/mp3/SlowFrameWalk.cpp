#include "mp3/SlowFrameWalk.h"

#include "mp3/MpegTables.h"

namespace {

class WordReader
{
public:
    explicit WordReader(IKivByteSource &source) : m_source(source) {}

    // Reads four bytes at pos; false when fewer arrive.
    bool read(qint64 pos, quint32 &word)
    {
        unsigned char b[4];
        if (m_source.readAt(pos, reinterpret_cast<char *>(b), 4) != 4)
            return false;
        word = (quint32(b[0]) << 24) | (quint32(b[1]) << 16) | (quint32(b[2]) << 8) | b[3];
        return true;
    }

    // The sync search: skip forward, then look at the start position and up to 10000 more, one
    // byte further each step. On success pos is the header's position.
    bool findFrameSync(qint64 &pos, qint64 skip, quint32 &word)
    {
        if (skip > 0)
            pos += skip;
        bool got = read(pos, word);
        int steps = 0;
        while (got && (word & 0xFFE00000u) != 0xFFE00000u) {
            ++steps;
            if (steps > 10000)
                break;
            ++pos;
            got = read(pos, word);
        }
        return got && (word & 0xFFE00000u) == 0xFFE00000u;
    }

private:
    IKivByteSource &m_source;
};

// Where the walk starts: behind an ID3v2 tag ("ID3", two version bytes below 0xFF, flags, four
// size bytes below 0x80 holding seven bits each; a version-4 footer flag adds ten bytes).
qint64 startBehindId3v2(IKivByteSource &source)
{
    unsigned char h[10];
    if (source.readAt(0, reinterpret_cast<char *>(h), 10) != 10)
        return 0;
    if (h[0] != 'I' || h[1] != 'D' || h[2] != '3' || h[3] == 0xFF || h[4] == 0xFF)
        return 0;
    if ((h[6] | h[7] | h[8] | h[9]) & 0x80)
        return 0;
    const qint64 size = (qint64(h[6]) << 21) | (qint64(h[7]) << 14) | (qint64(h[8]) << 7) | h[9];
    return 10 + size + ((h[3] >= 4 && (h[5] & 0x10)) ? 10 : 0);
}

} // namespace

KivMpeg::FrameWalkResult slowWalkFrames(IKivByteSource &source)
{
    static constexpr int kVersion[4] = {1, 0, 2, 3};
    static constexpr int kLayer[4] = {0, 3, 2, 1};

    KivMpeg::FrameWalkResult r;
    WordReader reader(source);
    qint64 pos = startBehindId3v2(source);
    quint32 h = 0;
    if (!reader.findFrameSync(pos, 0, h))
        return r;
    const int version = kVersion[(h >> 19) & 3];
    const int layer = kLayer[(h >> 17) & 3];
    const int crc = ((h >> 16) & 1) == 0 ? 1 : 0;
    int bitRate = 0;
    int sampleRate = 0;
    for (;;) {
        if (layer > 0)
            bitRate = KivMpeg::bitRate(version, layer, int((h >> 12) & 15));
        if (bitRate > 0)
            r.bitRateSum += bitRate;
        const int rate = KivMpeg::sampleRate(version, int((h >> 10) & 3));
        if (rate != 0)
            sampleRate = rate;
        if (sampleRate == 0)
            break;
        if (r.frames == 0) {
            r.version = version;
            r.layer = layer;
            r.crc = crc;
        }
        r.sampleRate = sampleRate;
        r.channelMode = int((h >> 6) & 3);
        r.copyright = int((h >> 3) & 1);
        r.original = int((h >> 2) & 1);
        r.emphasis = int(h & 3);
        const int padding = int((h >> 9) & 1);
        int length;
        if (layer == 1)
            length = (12000 * bitRate / sampleRate + padding) * 4;
        else if (layer == 3 && version != 3)
            length = 72000 * bitRate / sampleRate + padding;
        else
            length = 144000 * bitRate / sampleRate + padding;
        ++r.frames;
        if (bitRate > 0)
            r.duration += length * 8.0 / (bitRate * 1000);
        pos += 4; // the search continues from behind the header just read
        if (!reader.findFrameSync(pos, length - 4, h))
            break;
    }
    return r;
}
