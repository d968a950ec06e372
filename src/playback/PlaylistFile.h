#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The playlist file (*.atp): one 300-byte record per entry in list order, each the item's catalog
// key followed by zeros; no header, no count. A key of 300 bytes or more is cut to 300 bytes without
// a terminating zero. Keys are written and read by the binary-slot text rule (Windows-1252 when
// possible, else UTF-8), so files of other systems read back.
namespace KivPlaylistFile {

constexpr int RecordSize = 300;

// The keys of the file in file order: (length + 299) / 300 records, a shorter last record taken as
// far as it goes. Nothing when the file cannot be opened or read.
std::optional<QStringList> Read(const QString &path);
// The keys of the bytes of a file.
QStringList Parse(const QByteArray &bytes);
// The bytes of a file for these keys (empty for no keys).
QByteArray Compose(const QStringList &keys);
// Writes the file through a temporary file that replaces the old one only when complete: a failed
// write leaves the old file as it was. False on failure.
bool Write(const QString &path, const QStringList &keys);

QString OpenErrorText();
QString OpenErrorCaption();
QString SaveErrorText();
QString SaveErrorCaption();

} // namespace KivPlaylistFile
