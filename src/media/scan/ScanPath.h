#pragma once

#include <QString>

#include <optional>

// Sub-paths a scan is asked to search, as a user or another part of the program gives them.
namespace KivScanPath {

// The folder in catalog form: segments separated by "\" (a "/" counts as a separator too), no
// leading separator, one trailing "\"; empty for the medium's root. Nothing for a path that would
// leave the medium (a "." or ".." segment).
std::optional<QString> Normalized(const QString &path);

} // namespace KivScanPath
