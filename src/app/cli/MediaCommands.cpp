#include "app/cli/MediaCommands.h"

#include "app/cli/CliArgs.h"
#include "app/cli/CliSession.h"
#include "app/cli/CliText.h"
#include "app/cli/ScanCommand.h"
#include "app/cli/SearchCommand.h"
#include "browse/Mp3Liste.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/MediumForm.h"
#include "media/catalog/MediaCatalog.h"
#include "media/catalog/MediumDeletion.h"

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

// Both lists of the media catalog: the user's media, then the catalog's other media.
int listAllMedia(CliSession &session)
{
    CKivMediaCatalog catalog(session.db(), session.media());
    catalog.Fill();
    QTextStream out(stdout);
    out << "Alle Medien des Benutzers:\n";
    for (const CKivMediaCatalog::UserEntry &entry : catalog.UserMedia()) {
        out << entry.medium->GetName() << "\t" << stateText(entry.medium->GetState()) << "\t"
            << entry.medium->DriveTypeText() << "\t" << entry.medium->GetRoot() << "\n";
    }
    out << "Alle Medien in der Datenbank:\n";
    for (const CKivMedium *medium : catalog.CatalogMedia())
        out << medium->GetName() << "\n";
    return CliSession::Success;
}

int assignMedium(CliSession &session, const QString &name, const QString &folder)
{
    CKivMedium *medium = session.media().FindMedium(name);
    if (!medium || medium->IsCd() || medium->GetAssignmentID() != -1)
        return session.fail(QStringLiteral("no medium of another user named ") + name, CliSession::UserError);
    const QFileInfo info(folder);
    if (!info.isDir())
        return session.fail(QStringLiteral("no such folder: ") + folder, CliSession::UserError);
    const QString root = QDir::cleanPath(info.absoluteFilePath()) + QLatin1Char('/');
    CKivMediaCatalog catalog(session.db(), session.media());
    const bool assigned = catalog.Assign(medium, [&root](CKivMediumForm &form) {
        form.ChooseFolder(root);
        form.SetOffline(false);
        return form.Accept();
    });
    if (!assigned)
        return CliSession::UserError;
    QTextStream(stdout) << "medium " << name << " assigned on " << medium->GetRoot() << " ("
                        << stateText(medium->GetState()) << ")\n";
    return CliSession::Success;
}

int unassignMedium(CliSession &session, const QString &name)
{
    CKivMedium *medium = session.media().FindMedium(name);
    if (!medium || medium->IsCd() || medium->GetAssignmentID() == -1)
        return session.fail(QStringLiteral("no disk medium of yours named ") + name, CliSession::UserError);
    CKivMediaCatalog catalog(session.db(), session.media());
    if (!catalog.Unassign(medium))
        return session.fail(QStringLiteral("the assignment could not be removed"), CliSession::UserError);
    QTextStream(stdout) << "medium " << name << " unassigned\n";
    return CliSession::Success;
}

int deleteMedium(CliSession &session, const QString &name)
{
    const CKivMedium *medium = session.media().FindMedium(name);
    if (!medium)
        return session.fail(QStringLiteral("no medium named ") + name, CliSession::UserError);
    QTextStream err(stderr);
    int lastStep = 0;
    const bool deleted = KivMediumDeletion::Run(session.db(), *medium, [&](int step, const QString &text, int total, int done) {
        if (step != lastStep || done == total) {
            err << text << " " << done << "/" << total << "\n";
            err.flush();
            lastStep = step;
        }
    });
    if (!deleted)
        return CliSession::UserError;
    QTextStream(stdout) << "medium " << name << " deleted\n";
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
        const bool all = CliSession::takeFlag(args, QStringLiteral("--all"));
        if (const int code = open(session, args, 0, 0, "medium list [--all] [login options]"))
            return code;
        return all ? listAllMedia(session) : listMedia(session);
    }
    if (sub == QLatin1String("assign")) {
        if (const int code = open(session, args, 2, 2, "medium assign NAME FOLDER [login options]"))
            return code;
        return assignMedium(session, args.at(0), args.at(1));
    }
    if (sub == QLatin1String("unassign")) {
        if (const int code = open(session, args, 1, 1, "medium unassign NAME [login options]"))
            return code;
        return unassignMedium(session, args.at(0));
    }
    if (sub == QLatin1String("delete")) {
        const bool yes = CliSession::takeFlag(args, QStringLiteral("--yes"));
        if (const int code = open(session, args, 1, 1, "medium delete NAME --yes [login options]"))
            return code;
        if (!yes)
            return session.fail(QStringLiteral("medium delete removes all catalog data of the medium: confirm with --yes"),
                                CliSession::UserError);
        return deleteMedium(session, args.at(0));
    }
    if (sub == QLatin1String("create")) {
        if (const int code = open(session, args, 2, 2, "medium create NAME FOLDER [login options]"))
            return code;
        return createMedium(session, args.at(0), args.at(1));
    }
    return session.fail(QStringLiteral("medium needs list, create, assign, unassign or delete"), CliSession::UserError);
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
        {"medium",
         "medium list [--all] | medium create NAME FOLDER | medium assign NAME FOLDER | medium unassign NAME | "
         "medium delete NAME --yes",
         medium},
        {"scan", "scan MEDIUM [SUBPATH] [--quick]", scan},
        {"search", "search TEXT [--medium NAME] [--json]", RunSearchCommand},
    };
}
