#pragma once

#include "app/cli/CliCommand.h"

#include <vector>

// copy, importlist write|show, export and import: exchanging files with a friend through import lists
// and export volumes.
std::vector<CliCommand> exchangeCommands();
