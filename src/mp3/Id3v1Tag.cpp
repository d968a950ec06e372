#include "mp3/Id3v1Tag.h"

#include "core/CodePage.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kTitle = 3;
constexpr int kArtist = 33;
constexpr int kAlbum = 63;
constexpr int kYear = 93;
constexpr int kComment = 97;
constexpr int kTextSize = 30;
constexpr int kYearSize = 4;
constexpr int kShortCommentSize = 28;
constexpr int kMarker = 125;
constexpr int kTrack = 126;
constexpr int kGenre = 127;

// The one place where ID3v1 text is decoded and encoded: a slot is read up to its first zero byte,
// written zero-padded (a text of exactly the slot's size fills it without a zero).
QString readText(const char *slot, int size)
{
    return KivCodePage::readId3v1Slot(slot, size);
}

void writeText(char *slot, int size, const QString &text)
{
    KivCodePage::writeId3v1Slot(slot, size, text);
}

} // namespace

bool CId3v1Tag::isTag(const char *block)
{
    return block[0] == 'T' && block[1] == 'A' && block[2] == 'G';
}

bool CId3v1Tag::parse(const char *block)
{
    if (!isTag(block))
        return false;
    title = readText(block + kTitle, kTextSize);
    artist = readText(block + kArtist, kTextSize);
    album = readText(block + kAlbum, kTextSize);
    year = readText(block + kYear, kYearSize);
    if (block[kMarker] != 0) {
        comment = readText(block + kComment, kTextSize);
        track = 0;
    } else {
        comment = readText(block + kComment, kShortCommentSize);
        track = static_cast<unsigned char>(block[kTrack]);
    }
    genre = static_cast<unsigned char>(block[kGenre]);
    return true;
}

void CId3v1Tag::build(char *block) const
{
    std::memset(block, 0, kSize);
    block[0] = 'T';
    block[1] = 'A';
    block[2] = 'G';
    writeText(block + kTitle, kTextSize, title);
    writeText(block + kArtist, kTextSize, artist);
    writeText(block + kAlbum, kTextSize, album);
    writeText(block + kYear, kYearSize, year);
    if (track != 0) {
        writeText(block + kComment, kShortCommentSize, comment);
        block[kTrack] = static_cast<char>(std::clamp(track, 0, 255));
    } else {
        writeText(block + kComment, kTextSize, comment);
    }
    block[kGenre] = static_cast<char>(genre & 0xFF);
}
