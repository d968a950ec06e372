#pragma once

#include <QString>

// The 128-byte ID3v1 block at the end of an MP3 file: "TAG", title, artist, album (30 bytes each),
// year (4), comment (30, or 28 followed by a zero and the track in ID3v1.1), genre index. Text slots
// are zero-padded, Windows-1252 when the text fits, else UTF-8.
struct CId3v1Tag
{
    static constexpr int kSize = 128;

    QString title;
    QString artist;
    QString album;
    QString year;
    QString comment;
    int track = 0;   // 0 = none
    int genre = 255; // 255 = none

    // True when the kSize bytes at block begin with "TAG".
    static bool isTag(const char *block);

    // Reads the fields from the kSize bytes at block. False, with the fields unchanged, when the
    // block does not begin with "TAG".
    bool parse(const char *block);

    // Writes the block into the kSize bytes at block: zero filled; ID3v1.1 (comment cut to 28 bytes,
    // track clamped to 0..255 at byte 126) when the track is not 0, else ID3v1.0 with a 30-byte
    // comment; the genre's low eight bits at byte 127.
    void build(char *block) const;
};
