#include "app/cli/ToolCommands.h"

#include "app/cli/CliSession.h"
#include "app/cli/ToolSelection.h"
#include "mp3/MpegAudioInfo.h"
#include "tools/RenameBatch.h"
#include "tools/RenameRules.h"
#include "tools/TagBatch.h"

#include <QTextStream>

#include <functional>

namespace {

// The folder a file lies in, by its own name ("Rock\Live\" gives "Live"); empty at the medium's root.
QString ownFolderName(const CKivMp3 &item)
{
    return item.GetSubPath().section(u'\\', -2, -2);
}

void print(const KivFileOutcome &outcome, bool dryRun)
{
    QTextStream out(stdout);
    QString status = KivFileOutcome::StatusText(outcome.status);
    if (dryRun && outcome.status == KivFileOutcome::Ok)
        status = QStringLiteral("would change");
    out << outcome.item->MediumSubPathFilename() << '\t' << outcome.detail << '\t' << status << '\n';
}

// Logs in, loads the selection and runs the command's work on it; the login options and the selection
// options are taken out of args first, what is left must be empty (or valid for the command).
int withSelection(QStringList args, const char *usage, const std::function<QString(QStringList &)> &takeOwn,
                  const std::function<int(CliSession &, const std::vector<CKivMp3::Ptr> &, bool dryRun)> &work)
{
    CliSession session(args);
    CliToolSelection selection(args);
    if (!selection.error().isEmpty())
        return session.fail(selection.error() + QStringLiteral("\nusage: melvora-cli ") + QLatin1String(usage),
                            CliSession::UserError);
    if (const QString error = takeOwn(args); !error.isEmpty())
        return session.fail(error + QStringLiteral("\nusage: melvora-cli ") + QLatin1String(usage),
                            CliSession::UserError);
    if (!args.isEmpty())
        return session.fail(QStringLiteral("unexpected argument ") + args.first(), CliSession::UserError);
    if (const int code = session.Login())
        return code;
    std::vector<CKivMp3::Ptr> items;
    if (!selection.load(session, items))
        return CliSession::UserError;
    return work(session, items, selection.dryRun());
}

int finish(const KivBatchSummary &sum)
{
    QTextStream(stderr) << sum.ok << " changed, " << sum.unchanged << " unchanged, " << sum.noMatch
                        << " not matched, " << sum.failed << " failed\n";
    return sum.failed > 0 ? CliSession::UserError : CliSession::Success;
}

int runTagJobs(CliSession &session, const std::vector<KivTagJob> &jobs, bool dryRun)
{
    if (dryRun) {
        KivBatchSummary sum;
        for (const KivTagJob &job : jobs) {
            const KivFileOutcome outcome = KivTagBatch::Preview(job);
            sum.count(outcome.status);
            print(outcome, true);
        }
        return finish(sum);
    }
    KivBatchHooks hooks;
    hooks.report = [](const KivFileOutcome &outcome) { print(outcome, false); };
    return finish(KivTagBatch::Run(jobs, session.db(), hooks, false, nullptr));
}

// --- retag

const char *const kRetagUsage = "retag (--search TEXT | --medium NAME [--subpath PATH]) [--album A] [--artist A] "
                                "[--title T] [--track N] [--genre NAME] [--comment C] [--year Y] "
                                "[--album-from-folder] [--dry-run]";

int retag(const QStringList &arguments)
{
    KivTagEdits edits;
    bool albumFromFolder = false;
    auto takeOwn = [&](QStringList &args) -> QString {
        bool missing = false;
        auto take = [&](const char *name, std::optional<QString> &field) {
            const QString value = CliSession::takeOption(args, QLatin1String(name), &missing);
            if (!value.isNull())
                field = value;
        };
        take("--album", edits.album);
        take("--artist", edits.artist);
        take("--title", edits.title);
        take("--track", edits.track);
        take("--genre", edits.genre);
        take("--comment", edits.comment);
        take("--year", edits.year);
        albumFromFolder = CliSession::takeFlag(args, QStringLiteral("--album-from-folder"));
        if (missing)
            return QStringLiteral("every field option needs a value");
        if (edits.genre && !edits.genre->isEmpty() && CMpegAudioInfo::GenreByName(*edits.genre) < 0)
            return QStringLiteral("no such genre: ") + *edits.genre;
        if (albumFromFolder && edits.album)
            return QStringLiteral("give either --album or --album-from-folder");
        return {};
    };
    return withSelection(arguments, kRetagUsage, takeOwn,
                         [&](CliSession &session, const std::vector<CKivMp3::Ptr> &items, bool dryRun) {
                             std::vector<KivTagJob> jobs = KivTagBatch::FromEdits(items, edits);
                             if (albumFromFolder) {
                                 for (KivTagJob &job : jobs) {
                                     const QString folder = ownFolderName(*job.item);
                                     job.matched = !folder.isEmpty();
                                     job.changes.insert(job.changes.begin(), {KivTagField::Album, folder, 0});
                                 }
                             }
                             return runTagJobs(session, jobs, dryRun);
                         });
}

// --- tags-from-names

const char *const kNamesUsage = "tags-from-names (--search TEXT | --medium NAME [--subpath PATH]) --pattern PATTERN "
                                "[--artist-from-folder] [--album-from-folder] [--dry-run]";

int tagsFromNames(const QStringList &arguments)
{
    KivFilenamePattern pattern;
    bool artistFromFolder = false;
    bool albumFromFolder = false;
    auto takeOwn = [&](QStringList &args) -> QString {
        bool missing = false;
        const QString text = CliSession::takeOption(args, QStringLiteral("--pattern"), &missing);
        artistFromFolder = CliSession::takeFlag(args, QStringLiteral("--artist-from-folder"));
        albumFromFolder = CliSession::takeFlag(args, QStringLiteral("--album-from-folder"));
        if (text.isNull())
            return QStringLiteral("--pattern PATTERN is needed (for example \"|Artist|-|Title\")");
        const std::optional<KivFilenamePattern> parsed = KivFilenamePattern::FromText(text);
        if (!parsed)
            return QStringLiteral("the pattern is SEP1|FIELD1|SEP2|FIELD2|... with the fields Album, Artist, "
                                  "Title, Track, Comment");
        pattern = *parsed;
        return {};
    };
    return withSelection(arguments, kNamesUsage, takeOwn,
                         [&](CliSession &session, const std::vector<CKivMp3::Ptr> &items, bool dryRun) {
                             std::vector<KivTagJob> jobs;
                             for (const CKivMp3::Ptr &item : items) {
                                 std::vector<KivTagJob> one = KivTagBatch::FromNames(
                                     {item}, pattern, ownFolderName(*item), artistFromFolder, albumFromFolder);
                                 jobs.push_back(std::move(one.front()));
                             }
                             return runTagJobs(session, jobs, dryRun);
                         });
}

// --- rename

const char *const kRenameUsage = "rename (--search TEXT | --medium NAME [--subpath PATH]) OPERATION... [--dry-run] "
                                 "with the operations --replace OLD NEW, --replace-runs C NEW, --upper, --lower, "
                                 "--words, --delete N, --insert N, --from-tags FIELDS";

using Operation = std::function<QString(const CKivMp3 &item, const QString &preview)>;

// The operations in the order given; an error text for anything else.
QString takeOperations(QStringList &args, std::vector<Operation> &ops)
{
    while (!args.isEmpty()) {
        const QString word = args.takeFirst();
        auto value = [&args](QString &into) {
            if (args.isEmpty())
                return false;
            into = args.takeFirst();
            return true;
        };
        QString a;
        QString b;
        if (word == QLatin1String("--replace")) {
            if (!value(a) || !value(b))
                return QStringLiteral("--replace needs OLD and NEW");
            ops.push_back([a, b](const CKivMp3 &, const QString &p) { return KivRenameRules::replace(p, a, b); });
        } else if (word == QLatin1String("--replace-runs")) {
            if (!value(a) || !value(b) || a.size() != 1)
                return QStringLiteral("--replace-runs needs one character and NEW");
            ops.push_back([a, b](const CKivMp3 &, const QString &p) { return KivRenameRules::replaceRuns(p, a.at(0), b); });
        } else if (word == QLatin1String("--upper")) {
            ops.push_back([](const CKivMp3 &, const QString &p) { return KivRenameRules::upper(p); });
        } else if (word == QLatin1String("--lower")) {
            ops.push_back([](const CKivMp3 &, const QString &p) { return KivRenameRules::lower(p); });
        } else if (word == QLatin1String("--words")) {
            ops.push_back([](const CKivMp3 &, const QString &p) { return KivRenameRules::wordStarts(p); });
        } else if (word == QLatin1String("--delete") || word == QLatin1String("--insert")) {
            bool ok = false;
            const int n = value(a) ? a.toInt(&ok) : 0;
            if (!ok || n < 0 || n > 100)
                return word + QStringLiteral(" needs a number from 0 to 100");
            if (word == QLatin1String("--delete"))
                ops.push_back([n](const CKivMp3 &, const QString &p) { return KivRenameRules::deleteFront(p, n); });
            else
                ops.push_back([n](const CKivMp3 &, const QString &p) { return KivRenameRules::insertSpace(p, n); });
        } else if (word == QLatin1String("--from-tags")) {
            const std::optional<KivRenameRules::TagPattern> pattern =
                value(a) ? KivRenameRules::TagPattern::FromText(a) : std::nullopt;
            if (!pattern)
                return QStringLiteral("--from-tags needs FIELD1|SEP1|FIELD2|... with the fields Album, Artist, "
                                      "Title, Track, Comment, Filename, Vorschau");
            ops.push_back([p = *pattern](const CKivMp3 &item, const QString &preview) {
                return p.Compose(item, preview);
            });
        } else {
            return QStringLiteral("unknown operation ") + word;
        }
    }
    return ops.empty() ? QStringLiteral("no operation given") : QString();
}

int renameFiles(const QStringList &arguments)
{
    std::vector<Operation> ops;
    auto takeOwn = [&ops](QStringList &args) { return takeOperations(args, ops); };
    return withSelection(arguments, kRenameUsage, takeOwn,
                         [&](CliSession &session, const std::vector<CKivMp3::Ptr> &items, bool dryRun) {
                             std::vector<KivRenameJob> jobs;
                             jobs.reserve(items.size());
                             for (const CKivMp3::Ptr &item : items) {
                                 QString preview = item->GetFilename();
                                 for (const Operation &op : ops)
                                     preview = op(*item, preview);
                                 jobs.push_back({item, preview});
                             }
                             if (dryRun) {
                                 const std::vector<bool> collides = KivRenameBatch::Collisions(jobs);
                                 KivBatchSummary sum;
                                 for (std::size_t i = 0; i < jobs.size(); ++i) {
                                     const KivFileOutcome outcome = KivRenameBatch::Preview(jobs[i], collides[i]);
                                     sum.count(outcome.status);
                                     print(outcome, true);
                                 }
                                 return finish(sum);
                             }
                             KivBatchHooks hooks;
                             hooks.report = [](const KivFileOutcome &outcome) { print(outcome, false); };
                             return finish(KivRenameBatch::Run(jobs, session.db(), hooks, nullptr));
                         });
}

} // namespace

std::vector<CliCommand> toolCommands()
{
    return {
        {"retag", kRetagUsage, retag},
        {"tags-from-names", kNamesUsage, tagsFromNames},
        {"rename", kRenameUsage, renameFiles},
    };
}
