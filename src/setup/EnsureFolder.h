#pragma once

#include <QString>

namespace KivSetup {

// Makes sure path (without a trailing separator) is a folder: creates every missing folder along it
// from the top down. True when it is an existing folder afterwards.
bool EnsureFolder(const QString &path);

} // namespace KivSetup
