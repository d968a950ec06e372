#include "app/cli/CliDispatch.h"

#include "app/cli/CliArgs.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

// The options that may stand before the command word, each with a value.
const QStringList &leadingOptions()
{
    static const QStringList names = {QStringLiteral("--dsn"), QStringLiteral("--user"),
                                      QStringLiteral("--password")};
    return names;
}

bool isHelp(const QString &arg)
{
    return arg == QLatin1String("--help") || arg == QLatin1String("-h");
}

void printUsage(QTextStream &out, const std::vector<CliCommand> &commands)
{
    out << "usage: melvora-cli [--dsn NAME] [--user NAME] [--password TEXT] COMMAND [ARGS...]\n"
           "       melvora-cli --help | --version | help COMMAND\n"
           "commands:\n";
    for (const CliCommand &c : commands)
        out << "  " << c.usage << "\n";
    out << "Options may stand before or after the command, \"--name=value\" equals \"--name value\", and\n"
           "\"--\" ends the options. Exit codes: 0 success, 1 a user error, 2 the catalog cannot be used.\n";
}

const CliCommand *find(const std::vector<CliCommand> &commands, const QString &word)
{
    for (const CliCommand &c : commands) {
        if (word == QLatin1String(c.word))
            return &c;
    }
    return nullptr;
}

int fail(const QString &text)
{
    QTextStream(stderr) << "melvora-cli: " << text << "\n";
    return 1;
}

} // namespace

namespace KivCliDispatch {

int Run(const std::vector<CliCommand> &commands, const QStringList &arguments)
{
    const QStringList args = KivCliArgs::splitAssignments(arguments);
    QStringList leading;
    QString word;
    QStringList rest;
    bool help = false;
    bool version = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--"))
            break;
        if (isHelp(arg)) {
            help = true;
        } else if (arg == QLatin1String("--version")) {
            version = true;
        } else if (leadingOptions().contains(arg)) {
            leading << arg;
            if (i + 1 < args.size())
                leading << args.at(++i);
        } else if (arg.size() > 1 && arg.startsWith(QLatin1Char('-'))) {
            return fail(QStringLiteral("unknown option ") + arg);
        } else {
            word = arg;
            rest = args.mid(i + 1);
            break;
        }
    }
    help = KivCliArgs::takeFlag(rest, QStringLiteral("--help")) | help;
    help = KivCliArgs::takeFlag(rest, QStringLiteral("-h")) | help;

    QTextStream out(stdout);
    if (version && word.isEmpty()) {
        out << "melvora-cli " << QCoreApplication::applicationVersion() << "\n";
        return 0;
    }
    if (word == QLatin1String("help")) {
        help = true;
        word = KivCliArgs::operands(rest).value(0);
    }
    const CliCommand *command = word.isEmpty() ? nullptr : find(commands, word);
    if (!word.isEmpty() && !command) {
        QTextStream err(stderr);
        err << "melvora-cli: unknown command " << word << "\n";
        printUsage(err, commands);
        return 1;
    }
    if (help) {
        if (command)
            out << "usage: melvora-cli " << command->usage << "\n";
        else
            printUsage(out, commands);
        return 0;
    }
    if (!command) {
        QTextStream err(stderr);
        printUsage(err, commands);
        return 1;
    }
    // The options given before the word join the command's own, still before a "--".
    const qsizetype end = rest.indexOf(QStringLiteral("--"));
    for (qsizetype i = 0; i < leading.size(); ++i)
        rest.insert(end < 0 ? rest.size() : end + i, leading.at(i));
    return command->run(rest);
}

} // namespace KivCliDispatch
