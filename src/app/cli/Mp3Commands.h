#pragma once

#include "app/cli/CliCommand.h"

#include <vector>

// melvora-cli commands on MP3 files: "analyze" prints what the frame walk and the tag reader find,
// "tag" changes fields of the ID3v1 tag.
std::vector<CliCommand> mp3Commands();
