#pragma once

#include <QString>

// Paths of the exchange: volume folders, export file names, and the checks that keep the paths a
// friend's file names inside the folders the user chose.
namespace KivExchangePaths {

// A catalog sub-path ("Rock\Live\" or empty) that stays below the folder it is joined to: no
// absolute path, no drive-like prefix ("C:"), no "." or ".." component, no "/" and no zero.
bool IsSafeSubPath(const QString &subPath);
// A plain file name: not empty, not "." or "..", no separator of either kind, no drive-like prefix,
// no zero.
bool IsSafeFileName(const QString &name);

// volumePath + "/" (unless it ends in one) + "Volume " + n.
QString VolumeFolder(const QString &volumePath, int n);

// The export file name for an import list: the list's file name with its last four characters
// ("." and the extension) replaced by ".exp".
QString ExportFileName(const QString &importListPath);

} // namespace KivExchangePaths
