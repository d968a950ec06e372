#include "app/cli/CliCommand.h"

#include <QCoreApplication>
#include <QTextStream>

#include <vector>

namespace {

std::vector<CliCommand> allCommands()
{
    return {};
}

int usage(const std::vector<CliCommand> &commands)
{
    QTextStream err(stderr);
    err << "usage: melvora-cli COMMAND [ARGS...]\n";
    for (const CliCommand &c : commands)
        err << "  " << c.usage << "\n";
    return 2;
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
