#include "mp3/MpegTables.h"

namespace KivMpeg {
namespace {

// [table][index]: MPEG-1 Layer I, II, III, then MPEG-2/2.5 Layer I and Layer II/III.
constexpr int kBitRates[5][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, -1},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, -1},
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, -1},
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, -1},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, -1},
};

// [version code][index]; code 0 (reserved) and index 3 have no rate.
constexpr int kSampleRates[4][4] = {
    {0, 0, 0, 0},
    {11025, 12000, 8000, 0},
    {22050, 24000, 16000, 0},
    {44100, 48000, 32000, 0},
};

} // namespace

int bitRate(int version, int layer, int index)
{
    if (layer < 1 || layer > 3 || index < 0 || index > 15)
        return 0;
    const int table = version == 3 ? layer - 1 : (layer == 1 ? 3 : 4);
    return kBitRates[table][index];
}

int sampleRate(int version, int index)
{
    if (version < 0 || version > 3 || index < 0 || index > 3)
        return 0;
    return kSampleRates[version][index];
}

int frameLength(int version, int layer, int rate, int sampleRateHz, int padding)
{
    if (layer == 1)
        return (12000 * rate / sampleRateHz + padding) * 4;
    if (layer == 3 && (version == 2 || version == 1))
        return 72000 * rate / sampleRateHz + padding;
    return 144000 * rate / sampleRateHz + padding;
}

qint64 id3v2TagSize(const unsigned char *data, qint64 size)
{
    if (size < 10 || data[0] != 'I' || data[1] != 'D' || data[2] != '3' || data[3] == 0xFF || data[4] == 0xFF)
        return 0;
    qint64 body = 0;
    for (int i = 6; i < 10; ++i) {
        if (data[i] & 0x80)
            return 0;
        body = (body << 7) | data[i];
    }
    const bool footer = data[3] >= 4 && (data[5] & 0x10);
    return 10 + body + (footer ? 10 : 0);
}

} // namespace KivMpeg
