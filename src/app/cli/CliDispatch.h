#pragma once

#include "app/cli/CliCommand.h"

#include <QStringList>

#include <vector>

// Runs one melvora-cli call: "--help", "-h" and "help COMMAND" print usage, "--version" the version,
// login options may stand before the command word, "--name=value" equals "--name value". The chosen
// command gets every argument after its word, with the options given before the word added.
namespace KivCliDispatch {

int Run(const std::vector<CliCommand> &commands, const QStringList &arguments);

} // namespace KivCliDispatch
