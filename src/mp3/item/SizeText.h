#pragma once

#include <QString>
#include <QtGlobal>

// Sizes as the lists show them: whole megabytes (millions of bytes), a comma and two decimals,
// " MB" ("3,04 MB" for 3 045 000 bytes). The decimals are cut, not rounded, so a size never shows
// more than it is.
namespace KivSizeText {

QString Format(qint64 bytes);

} // namespace KivSizeText
