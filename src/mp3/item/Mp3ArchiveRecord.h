#pragma once

#include "mp3/item/Mp3Data.h"

#include <QByteArray>
#include <QStringList>

#include <optional>

// The 520-byte record of one MP3 item in a medium archive: tag texts, file name, medium name and
// sub-path in zero-filled text slots, then the numbers as 32-bit little-endian integers. ID, creation
// date, folder ID, import number and the composed texts are not in it; they are rebuilt on import.
namespace KivMp3ArchiveRecord {

constexpr int kSize = 520;

// The record of data. A text longer than its slot is cut (at a character boundary) and then fills
// the slot without an ending zero; the artist ID is always written as -1.
QByteArray Fill(const CKivMp3Data &data);
// The same into kSize bytes at out.
void FillInto(char *out, const CKivMp3Data &data);
// The catalog columns a record holds (the artist ID is not taken from the row).
QStringList ColumnNames();

// The values of a record; nothing when it holds fewer than kSize bytes (a record cut off at the end
// of a file). Texts are read up to the first zero or the end of their slot, without trailing blanks.
// ID and folder ID come back -1, import number 0, artist ID -1; a rating outside 1..5 becomes 3 and
// a genre outside 0..255 becomes 255, so a damaged record cannot put values into the catalog that no
// list can show. The search index is left empty for the caller to compose.
std::optional<CKivMp3Data> Read(const QByteArray &record);

} // namespace KivMp3ArchiveRecord
