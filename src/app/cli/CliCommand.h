#pragma once

#include <QStringList>

#include <functional>

// One sub-command of melvora-cli: its word ("catalog", "analyze", ...), a one-line usage text and
// the function that runs it with the arguments after the word. The function returns the exit code.
struct CliCommand
{
    const char *word;
    const char *usage;
    std::function<int(const QStringList &args)> run;
};
