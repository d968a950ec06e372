#include "app/cli/MediaCommands.h"

#include "app/cli/CliArgs.h"
#include "app/cli/CliSession.h"
#include "app/cli/CliText.h"
#include "app/cli/ScanCommand.h"
#include "app/cli/SearchCommand.h"
#include "browse/Mp3Liste.h"
#include "media/MedienListe.h"
#include "media/Medium.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

QString stateText(int state)
{
    switch (state) {
    case CKivMedium::Online:
        return QStringLiteral("online");
    case CKivMedium::Offline:
        return QStringLiteral("offline");
    default:
        return QStringLiteral("not assigned");
    }
}

// Logs in with the options in args; what is left in args are the command's own arguments, of which
// there must be between min and max.
int open(CliSession &session, QStringList &args, int min, int max, const char *usage)
{
    if (const QString option = CliSession::unknownOption(args); !option.isEmpty())
        return session.fail(QStringLiteral("unknown option ") + option, CliSession::UserError);
    args = KivCliArgs::operands(args);
    if (args.size() < min || args.size() > max)
        return session.fail(QStringLiteral("usage: melvora-cli ") + QLatin1String(usage), CliSession::UserError);
    return session.Login();
}

int login(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    if (const int code = open(session, args, 0, 0, "login [--dsn NAME] [--user NAME] [--password TEXT]"))
        return code;
    QTextStream(stdout) << session.userName() << " (ID " << session.userId() << ") logged in to data source "
                        << session.dataSourceName() << "\n";
    return CliSession::Success;
}

int listMedia(CliSession &session)
{
    QTextStream out(stdout);
    for (const auto &medium : session.media()) {
        if (medium->IsUsersMedium())
            out << KivCliText::escaped(medium->GetName()) << "\t" << stateText(medium->GetState()) << "\t"
                << KivCliText::escaped(medium->GetRoot()) << "\n";
    }
    return CliSession::Success;
}

int createMedium(CliSession &session, const QString &name, const QString &folder)
{
    const QFileInfo info(folder);
    if (!info.isDir())
        return session.fail(QStringLiteral("no such folder: ") + folder, CliSession::UserError);
    const QString root = QDir::cleanPath(info.absoluteFilePath()) + QLatin1Char('/');
    const CKivMedium *medium = session.media().CreateFromFolder(session.db(), name, root);
    if (!medium)
        return CliSession::UserError;
    QTextStream(stdout) << "medium " << medium->GetName() << " created on " << medium->GetRoot() << " ("
                        << stateText(medium->GetState()) << ")\n";
    return CliSession::Success;
}

int medium(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    const QString sub = args.isEmpty() ? QString() : args.takeFirst();
    if (sub == QLatin1String("list")) {
        if (const int code = open(session, args, 0, 0, "medium list [login options]"))
            return code;
        return listMedia(session);
    }
    if (sub == QLatin1String("create")) {
        if (const int code = open(session, args, 2, 2, "medium create NAME FOLDER [login options]"))
            return code;
        return createMedium(session, args.at(0), args.at(1));
    }
    return session.fail(QStringLiteral("medium needs list or create"), CliSession::UserError);
}

int scan(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    const bool quick = CliSession::takeFlag(args, QStringLiteral("--quick"));
    if (const int code = open(session, args, 1, 2, "scan MEDIUM [SUBPATH] [--quick] [login options]"))
        return code;
    return RunScanCommand(session, args.at(0), args.value(1), quick);
}

} // namespace

std::vector<CliCommand> mediaCommands()
{
    return {
        {"login", "login [--dsn NAME] [--user NAME] [--password TEXT]  (login options of the commands below)",
         login},
        {"medium", "medium list | medium create NAME FOLDER", medium},
        {"scan", "scan MEDIUM [SUBPATH] [--quick]", scan},
        {"search", "search TEXT [--medium NAME] [--json]", RunSearchCommand},
    };
}
