#pragma once

#include <QString>

// The rules every medium name obeys, wherever it is entered: it must fit a slot of the header file
// with its ending zero (at most 99 bytes as encoded there), and the names of the CD drive ("", "CD",
// "CD:\") are never medium names; disk media may not begin with the CD prefix "CD:\" either.
namespace KivMediumName {

// The prefix of every CD medium's name.
QString cdPrefix();

// Whether name fits a header slot.
bool fitsHeader(const QString &name);

// Whether name is one of the names no medium may take ("", "CD", "CD:\"), or for a disk medium
// begins with "CD:\".
bool isReserved(const QString &name, bool isCd);

// The message for a name that does not fit a header slot.
QString tooLongText();

} // namespace KivMediumName
