#pragma once

#include "mp3/FrameWalk.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QString>

// Builders for synthetic MPEG audio data and helpers shared by the MP3 tests.
namespace Mp3Fixtures {

// Fields of a frame header; the defaults give 0xFFFB9000: MPEG-1 Layer III, no CRC, 128 kbit/s,
// 44100 Hz, no padding, stereo.
struct Header
{
    int versionBits = 3; // 0 = MPEG-2.5, 1 = reserved, 2 = MPEG-2, 3 = MPEG-1
    int layerBits = 1;   // 0 = reserved, 1 = Layer III, 2 = Layer II, 3 = Layer I
    bool crc = false;
    int bitRateIndex = 9;
    int sampleRateIndex = 0;
    bool padding = false;
    int channelMode = 0;
    bool copyright = false;
    bool original = false;
    int emphasis = 0;

    quint32 word() const;
};

// A frame of length bytes (at least 4): the header, then filler without any sync pattern.
QByteArray frame(const Header &h, int length);
QByteArray frames(const Header &h, int length, int count);

// An ID3v1 block with the given texts (Latin-1, cut to their slots), track and genre.
QByteArray id3v1(const QByteArray &title, int track = 0, int genre = 255, const QByteArray &comment = {});

// An ID3v2 tag with a body of bodySize bytes full of sync patterns (as cover art has), and the
// ten-byte footer when footer is set (version 4).
QByteArray id3v2(int bodySize, bool footer = false);

// Walks data with the buffered walk at several chunk sizes and with the reference walk; records a
// test failure when any result differs from the reference, and returns the reference result.
KivMpeg::FrameWalkResult walk(const QByteArray &data);

QString describe(const KivMpeg::FrameWalkResult &r);

} // namespace Mp3Fixtures
