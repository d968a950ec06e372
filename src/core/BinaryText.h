#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Helpers for the fixed-size records of the program's binary files (ID3v1 block, medium header,
// hand-over record, archives, import and export lists, playlists): zero-padded text slots and
// 32-bit little-endian integers.
//
// Text rule: a slot is written in Windows-1252 when every character has a code there, else as UTF-8.
// A slot is read as UTF-8 when its bytes are valid UTF-8 with at least one byte above 127, else as
// Windows-1252. So files from Windows peers read correctly and every Linux file name round-trips.
namespace KivBinary {

// Encodes text by the rule above (no terminating zero, no size limit).
QByteArray encodeText(const QString &text);

// Decodes bytes by the rule above (the bytes are taken as they are, zeros included).
QString decodeText(const QByteArray &bytes);

// Windows-1252 only: true when every character of text has a Windows-1252 code.
bool fitsWindows1252(const QString &text);
QByteArray toWindows1252(const QString &text);
QString fromWindows1252(const QByteArray &bytes);

// Writes text into the slot of slotSize bytes at data: at most slotSize - 1 bytes of text (cut at a
// character boundary), then zeros up to the end of the slot. Returns false when the text was cut.
bool writeSlot(char *data, int slotSize, const QString &text);

// Writes text filling the whole slot without a terminating zero when it is exactly slotSize bytes
// long (as the ID3v1 fields do). Returns false when the text was cut.
bool writeFullSlot(char *data, int slotSize, const QString &text);

// Reads a slot: the bytes up to the first zero or the end of the slot, decoded by the rule above.
QString readSlot(const char *data, int slotSize);

// Length in bytes that text takes in a slot.
int encodedLength(const QString &text);

quint32 readLe32(const char *data);
qint32 readLe32Signed(const char *data);
void writeLe32(char *data, quint32 value);

} // namespace KivBinary
