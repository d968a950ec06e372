#pragma once

#include <QString>

// Text output of melvora-cli: one record per line, fields separated by tabs.
namespace KivCliText {

// The text with backslash, newline, carriage return and tab written as "\\", "\n", "\r" and "\t",
// so a field never breaks its line or its columns.
QString escaped(const QString &text);

// Why a file cannot be opened for reading: "no such file", "is a folder", "not a regular file",
// "permission denied", or fallback when none of these applies.
QString openFailureReason(const QString &path, const QString &fallback);

} // namespace KivCliText
