#pragma once

#include <QStringList>

// The arguments of one melvora-cli command. Options ("--name VALUE", "--name=VALUE", flags) may stand
// anywhere before "--"; everything after "--" is an operand, even when it starts with "-".
namespace KivCliArgs {

// Splits every "--name=value" before "--" into "--name" and "value".
QStringList splitAssignments(const QStringList &args);

// Takes "name VALUE" out of args (before "--"); a null text when absent. Sets missingValue when the
// value is missing. An empty value is a value (an empty password).
QString takeOption(QStringList &args, const QString &name, bool *missingValue = nullptr);
// Takes every occurrence of the flag (before "--") out of args; true when it was there.
bool takeFlag(QStringList &args, const QString &name);
// The first argument before "--" that looks like an option ("-x", "--name"), or empty.
QString unknownOption(const QStringList &args);
// The operands: args without the first "--".
QStringList operands(const QStringList &args);

} // namespace KivCliArgs
