#pragma once

#include <QByteArray>
#include <QString>

// Texts as JSON string literals in plain ASCII: quotes and backslashes escaped, everything outside
// printable ASCII as \u escapes of its UTF-16 units. Both engines decode them back to the same
// characters, whatever an ODBC driver does with other bytes of a text parameter.
namespace KivJsonText {

void Append(QByteArray &out, const QString &text);

} // namespace KivJsonText
