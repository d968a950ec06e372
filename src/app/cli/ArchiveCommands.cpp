#include "app/cli/MediaCommands.h"

#include "app/cli/CliSession.h"
#include "core/Settings.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "media/archive/MediumArchiveExport.h"
#include "media/archive/MediumArchiveHeader.h"
#include "media/archive/MediumArchiveImport.h"
#include "media/cd/CdManager.h"
#include "media/scan/ScanList.h"
#include "mp3/item/Mp3ArchiveRecord.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

int login(CliSession &session, const QStringList &args, int count, const char *usage)
{
    if (const QString option = CliSession::unknownOption(args); !option.isEmpty())
        return session.fail(QStringLiteral("unknown option ") + option, CliSession::UserError);
    if (args.size() != count)
        return session.fail(QStringLiteral("usage: melvora-cli ") + QLatin1String(usage), CliSession::UserError);
    return session.Login();
}

int exportArchive(CliSession &session, const QString &name, const QString &file)
{
    const CKivMedium *medium = session.media().FindMedium(name);
    if (!medium)
        return session.fail(QStringLiteral("no medium named ") + name, CliSession::UserError);
    if (!KivMediumArchiveExport::Export(session.db(), *medium, [&file] { return file; }))
        return CliSession::UserError;
    const qint64 records = (QFileInfo(file).size() - CKivMediumArchiveHeader::Size) / KivMp3ArchiveRecord::kSize;
    QTextStream(stdout) << "medium " << name << " exported to " << file << " (" << records << " items)\n";
    return CliSession::Success;
}

int importArchive(CliSession &session, const QString &file)
{
    const KivMediumArchiveImport::Prepared prepared =
        KivMediumArchiveImport::Prepare(session.db(), session.settings(), session.media(), file);
    if (!prepared.list)
        return CliSession::UserError;
    const int stored = KivMediumArchiveImport::StoreAndWait(prepared);
    if (stored < 0)
        return session.fail(QStringLiteral("the items could not be stored"), CliSession::UserError);
    QTextStream(stdout) << "medium " << prepared.medium->GetName() << " imported (" << stored << " items stored)\n";
    return prepared.list->GetFailedCount() == 0 ? CliSession::Success : int(CliSession::UserError);
}

int archive(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    const QString sub = args.isEmpty() ? QString() : args.takeFirst();
    if (sub == QLatin1String("export")) {
        if (const int code = login(session, args, 2, "archive export MEDIUM FILE.mar [login options]"))
            return code;
        return exportArchive(session, args.at(0), args.at(1));
    }
    if (sub == QLatin1String("import")) {
        if (const int code = login(session, args, 1, "archive import FILE.mar [login options]"))
            return code;
        return importArchive(session, args.at(0));
    }
    return session.fail(QStringLiteral("archive needs export or import"), CliSession::UserError);
}

QString stateText(int state)
{
    switch (state) {
    case CKivCdManager::KnownCd:
        return QStringLiteral("2 known medium");
    case CKivCdManager::UnknownCd:
        return QStringLiteral("1 not a medium");
    default:
        return QStringLiteral("0 no CD");
    }
}

int cd(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    bool missing = false;
    const QString drive = CliSession::takeOption(args, QStringLiteral("--drive"), &missing);
    if (missing)
        return session.fail(QStringLiteral("--drive needs a mount point or device"), CliSession::UserError);
    const QString sub = args.isEmpty() ? QString() : args.takeFirst();
    if (sub != QLatin1String("status"))
        return session.fail(QStringLiteral("cd needs status"), CliSession::UserError);
    if (const int code = login(session, args, 0, "cd status [--drive PATH] [login options]"))
        return code;
    CKivCdManager manager(session.db());
    manager.SetDrive(drive.isEmpty() ? session.settings().GetCdDrive() : drive);
    manager.SetMedia(&session.media());
    manager.Start();
    manager.Stop();
    QTextStream(stdout) << "state " << stateText(manager.GetState()) << "\tlabel " << manager.GetLabel() << "\n";
    return CliSession::Success;
}

} // namespace

std::vector<CliCommand> archiveCommands()
{
    return {
        {"archive", "archive export MEDIUM FILE.mar | archive import FILE.mar", archive},
        {"cd", "cd status [--drive PATH]", cd},
    };
}
