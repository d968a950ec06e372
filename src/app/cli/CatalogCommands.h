#pragma once

#include "app/cli/CliCommand.h"

#include <vector>

// melvora-cli commands on the catalog database: "catalog create" makes a new catalog (a SQLite
// file, or the tables in a data source's database), "catalog check" compares a data source's
// tables with the catalog's columns, "catalog register" registers a SQLite file or a PostgreSQL database as a data
// source (the database password only in the client library's password file).
std::vector<CliCommand> catalogCommands();
