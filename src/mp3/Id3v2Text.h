#pragma once

#include <QByteArray>
#include <QString>

// Decoding of the texts inside ID3v2 frames.
namespace KivId3v2Text {

// The first value of a text in the given encoding (0 ISO-8859-1, 1 UTF-16 with byte-order mark,
// 2 UTF-16BE, 3 UTF-8), up to its terminator. An unknown encoding gives the empty text.
QString firstValue(int encoding, const char *data, qsizetype size);

// Bytes taken by a terminated text at data in the encoding, terminator included; size when there is
// no terminator.
qsizetype terminatedLength(int encoding, const char *data, qsizetype size);

// A text frame's body (encoding byte, then the text): its first value.
QString textFrame(const QByteArray &body);

// A comment frame's body (encoding, language, description, text): the text, when the description is
// empty; nothing otherwise.
bool commentFrame(const QByteArray &body, QString &text);

// The number before "/" of a track text; 0 when there is none.
int trackNumber(const QString &text);

// The year from a recording time: its first four characters when they are digits, else empty.
QString yearOfTimestamp(const QString &text);

// A genre text as table index and name: "(17)", "(17)Rock", "17" and a table name give that index and
// its table name; any other text gives 255 and the text itself.
void genre(const QString &text, int &index, QString &name);

} // namespace KivId3v2Text
