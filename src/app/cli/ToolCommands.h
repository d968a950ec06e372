#pragma once

#include "app/cli/CliCommand.h"

#include <vector>

// "retag", "tags-from-names" and "rename": the tag editors and the renaming tool on a selection of
// catalogued files, with "--dry-run" to see the changes first.
std::vector<CliCommand> toolCommands();
