#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>
#include <vector>

// Import lists (*.imp) and export files (*.exp): a 200-byte header with the sender's text, then one
// 1004-byte record per requested or delivered file. Numbers are 32-bit little-endian; text slots are
// zero-padded, and a text that fills its whole slot has no terminating zero.
//
//   record: 0 import number (4) | 4 source medium (100) | 104 source sub-path (300)
//           404 source file name (100) | 504 destination medium (100)
//           604 destination sub-path (300) | 904 destination file name (100)
//
// Reading takes (length + 803) / 1004 records behind the header: every whole record and, for a
// shorter remainder, one more record whose missing bytes read as zeros.
namespace KivExchangeFile {

constexpr int HeaderSize = 200;
constexpr int RecordSize = 1004;

struct Record
{
    qint32 importId = 0;
    QString sourceMedium;
    QString sourceSubPath;
    QString sourceFilename;
    QString destMedium;
    QString destSubPath;
    QString destFilename;
};

struct Contents
{
    QString sender;
    std::vector<Record> records;
};

QByteArray EncodeHeader(const QString &sender);
QByteArray EncodeRecord(const Record &record);
// data holds RecordSize bytes.
Record DecodeRecord(const char *data);

// How many records a file of this length holds.
qint64 RecordCount(qint64 fileLength);

// The whole file; nothing when it cannot be opened or read.
std::optional<Contents> Read(const QString &path);

// Writes header and records under a temporary name and puts the file in place only when all of it
// was written, so a full disk never leaves a shorter list behind. False on any failure (the old
// file, if any, is then left as it was).
bool Write(const QString &path, const QString &sender, const std::vector<Record> &records);

} // namespace KivExchangeFile
