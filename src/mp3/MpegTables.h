#pragma once

#include <QtGlobal>

// The MPEG audio frame header: its fields, the bit-rate and sample-rate tables and the frame length
// rule the frame walk uses. Codes are the catalog's: version 3 = MPEG-1, 2 = MPEG-2, 1 = MPEG-2.5,
// 0 = reserved; layer 1..3 = Layer I..III, 0 = reserved.
namespace KivMpeg {

constexpr quint32 kSyncMask = 0xFFE00000u;

// Any word whose eleven top bits are set counts as a frame header; nothing else is checked.
constexpr bool isHeader(quint32 word)
{
    return (word & kSyncMask) == kSyncMask;
}

constexpr quint32 bigEndianWord(const unsigned char *p)
{
    return (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
}

constexpr int versionCode(quint32 word)
{
    constexpr int codes[4] = {1, 0, 2, 3};
    return codes[(word >> 19) & 3];
}

constexpr int layerCode(quint32 word)
{
    constexpr int codes[4] = {0, 3, 2, 1};
    return codes[(word >> 17) & 3];
}

// 1 when the protection bit is 0, that is a CRC follows the header.
constexpr int crcFlag(quint32 word)
{
    return ((word >> 16) & 1) ? 0 : 1;
}
constexpr int bitRateIndex(quint32 word)
{
    return int((word >> 12) & 15);
}
constexpr int sampleRateIndex(quint32 word)
{
    return int((word >> 10) & 3);
}
constexpr int paddingBit(quint32 word)
{
    return int((word >> 9) & 1);
}
constexpr int channelModeCode(quint32 word)
{
    return int((word >> 6) & 3);
}
constexpr int copyrightBit(quint32 word)
{
    return int((word >> 3) & 1);
}
constexpr int originalBit(quint32 word)
{
    return int((word >> 2) & 1);
}
constexpr int emphasisCode(quint32 word)
{
    return int(word & 3);
}

// Bit rate in kbit/s for a version code, a layer code 1..3 and a bit-rate index 0..15: 0 for free
// format (index 0), -1 for index 15, 0 for a layer or index out of range. Version code 3 uses the
// MPEG-1 tables, every other code the low-sampling-frequency tables.
int bitRate(int versionCode, int layerCode, int index);

// Sample rate in Hz for a version code and a sample-rate index; 0 when none is defined (index 3,
// reserved version code 0).
int sampleRate(int versionCode, int index);

// Frame length in bytes, integer division truncating toward zero. Layer I: (12000 * bit rate /
// sample rate + padding) * 4. Layer III of MPEG-2 and MPEG-2.5 carries 576 samples per frame:
// 72000 * bit rate / sample rate + padding. Every other case: 144000 * bit rate / sample rate +
// padding. sampleRate must not be 0.
int frameLength(int versionCode, int layerCode, int bitRate, int sampleRate, int padding);

// Number of bytes of the ID3v2 tag that starts at data (the ten-byte header, the tag body and the
// footer when the header flags one), or 0 when data[0..9] is no ID3v2 header. size is the number of
// bytes available at data.
qint64 id3v2TagSize(const unsigned char *data, qint64 size);

} // namespace KivMpeg
