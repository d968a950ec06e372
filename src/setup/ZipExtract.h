#pragma once

#include <QString>

// Extracts a downloaded zip archive into a folder (libzip). The archive is checked as a whole before
// anything is written: an entry with an absolute path, a ".." component or a link that points
// outside the folder, an encrypted entry, or an archive that unpacks to more than MaxTotalBytes
// refuses the whole archive. Each file is written to a temporary file and renamed into place, so it
// replaces what is there without following a link and never lands outside the folder.
namespace KivZip {

constexpr qint64 MaxTotalBytes = qint64(1) << 30;

// True when every entry was extracted; otherwise false with error (for the log) set.
bool Extract(const QString &archive, const QString &destinationFolder, QString *error = nullptr);

// Whether an entry name stays inside the folder it is extracted to.
bool IsSafeEntryName(const QString &name);

} // namespace KivZip
