#pragma once

#include "browse/list/Mp3Column.h"

#include <QString>

class CKivMedienListe;
class CKivMp3;

// What one cell of an MP3 list shows: the text of a text column, the image key of an image column.
// Values of -1 show as an empty cell; every text is trimmed on both sides.
namespace KivMp3CellText {

// Image keys of the "T", "S" and "N" columns; the views map them to pictures.
enum ImageKey : int {
    NoImage = -1,
    TypeOnline = 0,
    StateNotAssigned = 1,
    StateOffline = 2,
    StateOnline = 3,
    // 4..8: ratings 1..5
    TypeMarked = 9,
    TypeNotReachable = 11,
    TypeImportWaiting = 12,
    TypeImportReady = 13,
    TypeRequestedOffline = 14,
    TypeRequestedOnline = 15,
    TypePlaying = 16,
};
constexpr int kImageCount = 17;

QString text(const CKivMp3 &item, KivMp3Column::Field field);

// The image key of an image column (NoImage for text columns). The status code is computed anew;
// media finds a pending import's source medium. playing: the row is the player's current row and
// the player plays.
int imageKey(CKivMp3 &item, KivMp3Column::Field field, const CKivMedienListe *media, bool playing);

// What an image says in words (for screen readers and tool tips): "Mp3 Datei", "online",
// "zu importieren", "Bewertung 3"; empty for NoImage.
QString imageText(int key);

// The image key of the "T" column for a status code.
int typeImage(int status, bool playing);

} // namespace KivMp3CellText
