#include "app/cli/CatalogCommands.h"
#include "app/cli/CliCommand.h"
#include "app/cli/MediaCommands.h"
#include "app/cli/Mp3Commands.h"

#include <QCoreApplication>
#include <QTextStream>

#include <vector>

namespace {

void append(std::vector<CliCommand> &all, std::vector<CliCommand> more)
{
    all.insert(all.end(), more.begin(), more.end());
}

std::vector<CliCommand> allCommands()
{
    std::vector<CliCommand> all;
    append(all, catalogCommands());
    append(all, mp3Commands());
    append(all, mediaCommands());
    append(all, archiveCommands());
    return all;
}

int usage(const std::vector<CliCommand> &commands)
{
    QTextStream err(stderr);
    err << "usage: melvora-cli COMMAND [ARGS...]\n";
    for (const CliCommand &c : commands)
        err << "  " << c.usage << "\n";
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Melvora"));
    const std::vector<CliCommand> commands = allCommands();
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usage(commands);
    const QString word = args.takeFirst();
    for (const CliCommand &c : commands) {
        if (word == QLatin1String(c.word))
            return c.run(args);
    }
    return usage(commands);
}
