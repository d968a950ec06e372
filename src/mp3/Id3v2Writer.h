#pragma once

#include "mp3/Id3v1Tag.h"

#include <QString>

// Writes the catalog's fields into the ID3v2 tag a file already carries, together with its ID3v1
// block, so that both tags agree. TagLib renders the new tag from the old one: frames the catalog
// does not show (pictures, lyrics, private frames) are carried over, the audio is not touched, and
// the tag keeps its version (2.2 becomes 2.3). A tag that fits into the old one with its padding is
// written in place; a bigger one makes a new file in the same folder that replaces the old one by a
// rename, so that a crash at any moment leaves either the old or the new file.
namespace KivId3v2Writer {

// fields: the texts, track and genre index; genreName: the genre text for the ID3v2 tag (a table name
// or a free text), empty for none. oldTagSize: the size of the file's present ID3v2 tag. False when
// the file cannot be read, parsed or written; the file then stays as it was.
bool write(const QString &path, qint64 oldTagSize, const CId3v1Tag &fields, const QString &genreName);

} // namespace KivId3v2Writer
