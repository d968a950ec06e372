#pragma once

#include <QString>

// Small text rules the tag and renaming tools share.
namespace KivToolText {

// Field names of the pattern boxes, exactly as the boxes offer them.
inline const QString &album() { static const QString s = QStringLiteral("Album"); return s; }
inline const QString &artist() { static const QString s = QStringLiteral("Artist"); return s; }
inline const QString &title() { static const QString s = QStringLiteral("Title"); return s; }
inline const QString &track() { static const QString s = QStringLiteral("Track"); return s; }
inline const QString &comment() { static const QString s = QStringLiteral("Comment"); return s; }
inline const QString &filename() { static const QString s = QStringLiteral("Filename"); return s; }
inline const QString &preview() { static const QString s = QStringLiteral("Vorschau"); return s; }

// Spaces, tabs and line ends taken from both ends.
QString trimmed(const QString &text);

// The decimal value of the text as the C library's atoi reads it: leading white space, an optional
// sign, then digits up to the first other character ("07" 7, "7a" 7, "x" 0, "" 0). Values beyond
// the int range are clamped.
int atoi(const QString &text);

// The text after the last "\" of a sub-path whose closing "\" is dropped ("Rock\Live\" gives
// "Live"); empty when no "\" is left ("Rock\" gives nothing).
QString folderNameOfSubPath(const QString &subPath);

} // namespace KivToolText
