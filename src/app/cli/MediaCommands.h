#pragma once

#include "app/cli/CliCommand.h"

#include <vector>

// melvora-cli commands of a logged-in user (options "--dsn", "--user", "--password"): "login" checks
// the login, "medium list" and "medium create NAME FOLDER" show and make media, "scan MEDIUM
// [SUBPATH] [--quick]" brings a medium's MP3 files into the catalog with its progress on stderr, and
// "search TEXT [--medium NAME]" prints the matching files, one per line.
std::vector<CliCommand> mediaCommands();

// The medium archive commands ("archive export MEDIUM FILE.mar", "archive import FILE.mar") and
// "cd status [--drive PATH]", which runs one check of the CD drive.
std::vector<CliCommand> archiveCommands();
