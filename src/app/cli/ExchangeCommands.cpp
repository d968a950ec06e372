#include "app/cli/ExchangeCommands.h"

#include "app/cli/CliSession.h"
#include "browse/folders/FolderEntry.h"
#include "browse/folders/FolderOps.h"
#include "exchange/ExchangeReader.h"
#include "exchange/ExchangeWriter.h"
#include "exchange/ExportRun.h"
#include "exchange/ExchangePaths.h"
#include "exchange/ImportRun.h"
#include "media/MedienListe.h"
#include "media/Medium.h"
#include "mp3/item/Mp3FileOps.h"
#include "mp3/item/Mp3Status.h"

#include <QFileInfo>

#include <algorithm>
#include <QTextStream>

namespace {

int open(CliSession &session, const QStringList &args, int count, const QString &usage)
{
    if (const QString option = CliSession::unknownOption(args); !option.isEmpty())
        return session.fail(QStringLiteral("unknown option ") + option, CliSession::UserError);
    if (args.size() != count)
        return session.fail(QStringLiteral("usage: melvora-cli ") + usage, CliSession::UserError);
    return session.Login();
}

// "MEDIUM:PATH" split at the first colon; the path in the catalog's form ("\" separators).
bool splitPlace(const QString &place, QString *medium, QString *path)
{
    const qsizetype colon = place.indexOf(QLatin1Char(':'));
    if (colon <= 0)
        return false;
    *medium = place.left(colon);
    *path = place.mid(colon + 1);
    path->replace(QLatin1Char('/'), QLatin1Char('\\'));
    while (path->startsWith(QLatin1Char('\\')))
        path->remove(0, 1);
    return true;
}

QString asFolder(const QString &path)
{
    return path.isEmpty() || path.endsWith(QLatin1Char('\\')) ? path : path + QLatin1Char('\\');
}

CKivMedium *usersMedium(CliSession &session, const QString &name)
{
    CKivMedium *medium = session.media().FindMedium(name);
    return medium && medium->IsUsersMedium() ? medium : nullptr;
}

// The source as the folder tree shows it: from disk while its medium is online, else from the catalog.
CKivFolderEntry::Ptr sourceEntry(CliSession &session, CKivMedium *medium, const QString &path)
{
    if (medium->GetState() == CKivMedium::Online) {
        QString rel = path;
        while (rel.endsWith(QLatin1Char('\\')))
            rel.chop(1);
        const QFileInfo info(KivMp3FileOps::Join(medium->GetRoot(), KivMp3FileOps::LocalPath(rel)));
        if (!info.exists())
            return nullptr;
        const qsizetype cut = rel.lastIndexOf(QLatin1Char('\\')) + 1;
        return CKivFolderEntry::FromDisk(medium, rel.left(cut), rel.mid(cut), info.isDir(), info.size(),
                                         info.lastModified(), 0);
    }
    const bool file = path.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive);
    return CKivFolderEntry::FromCatalogPath(session.db(), medium, file ? path : asFolder(path), 0);
}

CKivFolderEntry::Ptr targetEntry(CliSession &session, CKivMedium *medium, const QString &path)
{
    const QString folder = asFolder(path);
    if (folder.isEmpty())
        return CKivFolderEntry::ForMedium(medium, 0);
    if (medium->GetState() == CKivMedium::Online) {
        const QString rel = folder.chopped(1);
        if (QFileInfo(KivMp3FileOps::Join(medium->GetRoot(), KivMp3FileOps::LocalPath(rel))).isDir()) {
            const qsizetype cut = rel.lastIndexOf(QLatin1Char('\\')) + 1;
            return CKivFolderEntry::FromDisk(medium, rel.left(cut), rel.mid(cut), true, 0, QDateTime(), 0);
        }
    }
    return CKivFolderEntry::FromCatalogPath(session.db(), medium, folder, 0);
}

int copy(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    const QString usage = QStringLiteral("copy MEDIUM:SUBPATH DEST-MEDIUM:FOLDER [login options]");
    if (const int code = open(session, args, 2, usage))
        return code;
    QString fromName, fromPath, toName, toPath;
    if (!splitPlace(args.at(0), &fromName, &fromPath) || !splitPlace(args.at(1), &toName, &toPath)
        || fromPath.isEmpty())
        return session.fail(QStringLiteral("usage: melvora-cli ") + usage, CliSession::UserError);
    CKivMedium *from = usersMedium(session, fromName);
    CKivMedium *to = usersMedium(session, toName);
    if (!from || !to)
        return session.fail(QStringLiteral("no such medium of the user: ") + (from ? toName : fromName),
                            CliSession::UserError);
    const CKivFolderEntry::Ptr source = sourceEntry(session, from, fromPath);
    const CKivFolderEntry::Ptr target = targetEntry(session, to, toPath);
    if (!source || !target)
        return session.fail(QStringLiteral("nothing to copy at ") + args.at(0), CliSession::UserError);
    CKivFolderOps ops(session.db());
    const CKivFolderOps::Result result = ops.Copy(source, target);
    if (!result.ok || !result.entry)
        return CliSession::UserError;
    const CKivFolderEntry &entry = *result.entry;
    QTextStream(stdout) << (from->GetState() == CKivMedium::Online ? "copied to " : "registered for import at ")
                        << entry.Address() << entry.GetFileName() << "\n";
    return CliSession::Success;
}

int importListWrite(CliSession &session, const QString &path, const QString &text)
{
    const std::vector<CKivMp3::Ptr> items = KivExchangeWriter::WaitingItems(session.db(), session.media(), text);
    const int written = KivExchangeWriter::SaveImportList(
        path, items, &session.media(), KivExchangeWriter::SenderText(session.db(), session.userId()));
    if (written < 0)
        return CliSession::UserError;
    QTextStream(stdout) << written << " records written to " << path << "\n";
    return CliSession::Success;
}

int importListShow(CliSession &session, const QString &path)
{
    const std::optional<KivExchangeReader::Loaded> loaded =
        KivExchangeReader::ReadImportList(session.db(), &session.media(), path);
    if (!loaded)
        return CliSession::UserError;
    QTextStream out(stdout);
    out << "sender: " << loaded->sender << "\n";
    for (const KivExchangeReader::Entry &e : loaded->entries) {
        const KivExchangeFile::Record &r = e.record;
        out << CKivMp3Data::Key(r.sourceMedium, r.sourceSubPath, r.sourceFilename) << "\t"
            << CKivMp3Data::Key(r.destMedium, r.destSubPath, r.destFilename) << "\t";
        if (e.unsafe)
            out << "skipped\n";
        else if (!e.item)
            out << "not in catalog\n";
        else
            out << e.item->StatusCode(&session.media()) << "\n";
    }
    return CliSession::Success;
}

int importList(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    const QString sub = args.isEmpty() ? QString() : args.takeFirst();
    if (sub == QLatin1String("write")) {
        bool missing = false;
        const QString text = CliSession::takeOption(args, QStringLiteral("--search"), &missing);
        if (missing)
            return session.fail(QStringLiteral("--search needs a text"), CliSession::UserError);
        if (const int code = open(session, args, 1, QStringLiteral("importlist write FILE.imp [--search TEXT]")))
            return code;
        return importListWrite(session, args.at(0), text);
    }
    if (sub == QLatin1String("show")) {
        if (const int code = open(session, args, 1, QStringLiteral("importlist show FILE.imp")))
            return code;
        return importListShow(session, args.at(0));
    }
    return session.fail(QStringLiteral("importlist needs write or show"), CliSession::UserError);
}

std::vector<CKivMp3::Ptr> itemsOf(const std::optional<KivExchangeReader::Loaded> &loaded)
{
    std::vector<CKivMp3::Ptr> items;
    if (loaded) {
        for (const KivExchangeReader::Entry &e : loaded->entries) {
            if (e.item)
                items.push_back(e.item);
        }
    }
    return items;
}

int exportVolumes(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    bool missing = false;
    const QString sizeText = CliSession::takeOption(args, QStringLiteral("--volume-size"), &missing);
    bool sizeOk = true;
    const qint64 sizeMb = sizeText.isEmpty() ? 0 : sizeText.toLongLong(&sizeOk);
    if (missing || !sizeOk || sizeMb < 0)
        return session.fail(QStringLiteral("--volume-size needs a number of MB"), CliSession::UserError);
    if (const int code = open(session, args, 2, QStringLiteral("export FILE.imp VOLUME-FOLDER [--volume-size MB]")))
        return code;
    const QString listPath = args.at(0);
    const QString volumePath = args.at(1);
    if (!QFileInfo(volumePath).isDir())
        return session.fail(QStringLiteral("no such folder: ") + volumePath, CliSession::UserError);
    const std::optional<KivExchangeReader::Loaded> loaded =
        KivExchangeReader::ReadImportList(session.db(), &session.media(), listPath);
    if (!loaded)
        return CliSession::UserError;
    std::vector<CKivMp3::Ptr> items = itemsOf(loaded);
    CKivExportRun run(volumePath, sizeMb, KivExchangePaths::ExportFileName(listPath),
                      KivExchangeWriter::SenderText(session.db(), session.userId()));
    // Every file of the list is exported; with none the run still writes the empty volume.
    const CKivExportRun::Result result = items.empty() ? CKivExportRun::Result{} : run.Run(items, &session.media());
    QTextStream out(stdout);
    for (const CKivExportRun::Volume &v : result.volumes)
        out << v.folder << "\t" << v.files << " files\t" << v.bytes << " bytes" << (v.written ? "" : "\tnot written")
            << "\n";
    out << result.exported << " files exported, " << result.failed << " failed\n";
    return result.failed == 0 && std::all_of(result.volumes.begin(), result.volumes.end(),
                                             [](const CKivExportRun::Volume &v) { return v.written; })
             ? CliSession::Success
             : CliSession::UserError;
}

int importFiles(const QStringList &arguments)
{
    QStringList args = arguments;
    CliSession session(args);
    if (const int code = open(session, args, 1, QStringLiteral("import FILE.exp")))
        return code;
    const std::optional<KivExchangeReader::Loaded> loaded =
        KivExchangeReader::ReadExportFile(session.db(), &session.media(), args.at(0));
    if (!loaded)
        return CliSession::UserError;
    const std::vector<CKivMp3::Ptr> items = itemsOf(loaded);
    QTextStream out(stdout);
    if (items.empty()) {
        out << "0 files imported, 0 failed\n";
        return CliSession::Success;
    }
    std::vector<QString> sources;
    for (const CKivMp3::Ptr &item : items)
        sources.push_back(item->GetVolumeFile());
    const KivImportRun::Result result = KivImportRun::Run(items, &session.media(), session.db());
    for (size_t i = 0; i < items.size(); ++i) {
        if (items[i]->GetImportID() == 0)
            out << sources[i] << " -> " << items[i]->FullPath() << "\n";
    }
    out << result.imported << " files imported, " << result.failed << " failed\n";
    return result.failed == 0 ? CliSession::Success : CliSession::UserError;
}

} // namespace

std::vector<CliCommand> exchangeCommands()
{
    return {
        {"copy", "copy MEDIUM:SUBPATH DEST-MEDIUM:FOLDER", copy},
        {"importlist", "importlist write FILE.imp [--search TEXT] | importlist show FILE.imp", importList},
        {"export", "export FILE.imp VOLUME-FOLDER [--volume-size MB]", exportVolumes},
        {"import", "import FILE.exp", importFiles},
    };
}
