#pragma once

#include <QString>

// The program's one table of ID3v1 genre names, indices 0 to 147. The names are data (stored in the
// catalog and compared exactly), misspellings included.
namespace KivGenre {

constexpr int kCount = 148;
constexpr int kNone = 255;

// Name for index 0..147; the empty text for every other index.
QString name(int index);

// Lowest index whose name equals text exactly (case-sensitive, whole text); -1 when none does.
int byName(const QString &text);

} // namespace KivGenre
