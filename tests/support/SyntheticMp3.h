#pragma once

#include "support/TestFiles.h"

#include <QByteArray>
#include <QString>

// A small MP3 file made in the test: MPEG-1 Layer III frames (0xFF 0xFB 0x90 0x00 and 413 filler
// bytes: 128 kbit/s, 44100 Hz, 417 bytes a frame), optionally followed by an ID3v1 block.
namespace SyntheticMp3 {

inline QByteArray frames(int count)
{
    QByteArray frame(417, '\0');
    frame[0] = char(0xFF);
    frame[1] = char(0xFB);
    frame[2] = char(0x90);
    frame[3] = char(0x00);
    return frame.repeated(count);
}

// The 128-byte ID3v1 block (ID3v1.1 when track is not 0); texts are Latin-1 and cut to their slots.
inline QByteArray tag(const QByteArray &title, const QByteArray &artist = {}, const QByteArray &album = {},
                      const QByteArray &year = {}, int track = 0, int genre = 255)
{
    QByteArray block(128, '\0');
    block.replace(0, 3, "TAG");
    auto put = [&block](int offset, int size, const QByteArray &text) {
        block.replace(offset, int(qMin<qsizetype>(size, text.size())), text.left(size));
    };
    put(3, 30, title);
    put(33, 30, artist);
    put(63, 30, album);
    put(93, 4, year);
    if (track != 0)
        block[126] = char(track);
    block[127] = char(genre);
    return block;
}

using TestFiles::read;
using TestFiles::write;

// A file of `count` frames with a tag: title, artist, album, year and genre 17 (Rock).
inline bool writeSong(const QString &path, const QByteArray &title, const QByteArray &artist = "Artist",
                      int count = 40)
{
    return write(path, frames(count) + tag(title, artist, "Album", "1999", 0, 17));
}

} // namespace SyntheticMp3
