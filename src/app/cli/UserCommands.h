#pragma once

#include "app/cli/CliCommand.h"

#include <vector>

// "user add NAME": a user of the catalog, as the user administration's "Neu" and "Speichern" make
// one; the password asked for on the terminal (or read from a file), stored as a hash. It needs no
// login, so that the first users of a new shared catalog can be added from the command line.
std::vector<CliCommand> userCommands();
