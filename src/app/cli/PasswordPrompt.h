#pragma once

#include <QString>

// Asks for a password on the terminal without echoing it. Without a terminal (a script, a test)
// the first line of standard input is read instead. Empty when nothing was typed or read.
QString promptPassword(const QString &prompt);

// The first line of a file (without its line break); a null text when the file cannot be read.
QString readPasswordFile(const QString &path);
