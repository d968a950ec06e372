#include "mp3/Id3v1Tag.h"

#include "core/BinaryText.h"

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

} // namespace

bool CId3v1Tag::isTag(const char *block)
{
    return block[0] == 'T' && block[1] == 'A' && block[2] == 'G';
}

bool CId3v1Tag::parse(const char *block)
{
    if (!isTag(block))
        return false;
    title = KivBinary::readSlot(block + kTitle, kTextSize);
    artist = KivBinary::readSlot(block + kArtist, kTextSize);
    album = KivBinary::readSlot(block + kAlbum, kTextSize);
    year = KivBinary::readSlot(block + kYear, kYearSize);
    if (block[kMarker] != 0) {
        comment = KivBinary::readSlot(block + kComment, kTextSize);
        track = 0;
    } else {
        comment = KivBinary::readSlot(block + kComment, kShortCommentSize);
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
    KivBinary::writeFullSlot(block + kTitle, kTextSize, title);
    KivBinary::writeFullSlot(block + kArtist, kTextSize, artist);
    KivBinary::writeFullSlot(block + kAlbum, kTextSize, album);
    KivBinary::writeFullSlot(block + kYear, kYearSize, year);
    if (track != 0) {
        KivBinary::writeFullSlot(block + kComment, kShortCommentSize, comment);
        block[kTrack] = static_cast<char>(std::clamp(track, 0, 255));
    } else {
        KivBinary::writeFullSlot(block + kComment, kTextSize, comment);
    }
    block[kGenre] = static_cast<char>(genre & 0xFF);
}
