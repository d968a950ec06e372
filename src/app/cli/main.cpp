#include "app/cli/CatalogCommands.h"
#include "app/cli/CliCommand.h"
#include "app/cli/CliDispatch.h"
#include "app/cli/ExchangeCommands.h"
#include "app/cli/MediaCommands.h"
#include "app/cli/Mp3Commands.h"
#include "app/cli/PlaylistCommands.h"
#include "app/cli/ToolCommands.h"
#include "app/cli/UserCommands.h"

#include <QCoreApplication>

#include <vector>

namespace {

// Every command of melvora-cli, in the order "--help" lists them. A new group of commands adds one
// line here.
std::vector<CliCommand> allCommands()
{
    std::vector<CliCommand> all;
    for (std::vector<CliCommand> group : {
             catalogCommands(),
             userCommands(),
             mp3Commands(),
             mediaCommands(),
             playlistCommands(),
             exchangeCommands(),
             archiveCommands(),
             toolCommands(),
         })
        all.insert(all.end(), group.begin(), group.end());
    return all;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Melvora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MELVORA_VERSION));
    return KivCliDispatch::Run(allCommands(), QCoreApplication::arguments().mid(1));
}
