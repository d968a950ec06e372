#pragma once

#include "app/cli/CliCommand.h"

#include <vector>

// "playlist show FILE.atp" and "playlist write FILE.atp (--search TEXT | --medium NAME)".
std::vector<CliCommand> playlistCommands();
