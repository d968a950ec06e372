#include "tools/TagBatch.h"

#include "tools/BatchLoop.h"
#include "tools/ToolText.h"

#include <QStringList>

namespace KivTagBatch {

QString FieldLabel(KivTagField field)
{
    switch (field) {
    case KivTagField::Album:
        return QStringLiteral("Album");
    case KivTagField::Artist:
        return QStringLiteral("Artist");
    case KivTagField::TrackNr:
        return QStringLiteral("Track");
    case KivTagField::Title:
        return QStringLiteral("Title");
    case KivTagField::Comment:
        return QStringLiteral("Comment");
    case KivTagField::Year:
        return QStringLiteral("Year");
    case KivTagField::Genre:
        break;
    }
    return QStringLiteral("Genre");
}

QString CurrentText(const CKivMp3 &item, KivTagField field)
{
    switch (field) {
    case KivTagField::Album:
        return item.GetAlbum();
    case KivTagField::Artist:
        return item.GetArtist();
    case KivTagField::TrackNr:
        return QString::number(item.GetTrackNr());
    case KivTagField::Title:
        return item.GetTitle();
    case KivTagField::Comment:
        return item.GetComment();
    case KivTagField::Year:
        return item.GetYear();
    case KivTagField::Genre:
        break;
    }
    return item.GetGenreName();
}

namespace {

QString newText(const KivTagChange &change)
{
    if (change.field == KivTagField::TrackNr)
        return QString::number(qBound(0, change.number, 255));
    return change.text;
}

bool write(CKivMp3 &item, const KivTagChange &change, CKivDatabase &db)
{
    switch (change.field) {
    case KivTagField::Album:
        return item.SetAlbum(change.text, db);
    case KivTagField::Artist:
        return item.SetArtist(change.text, db);
    case KivTagField::TrackNr:
        return item.SetTrackNr(change.number, db);
    case KivTagField::Title:
        return item.SetTitle(change.text, db);
    case KivTagField::Comment:
        return item.SetComment(change.text, db);
    case KivTagField::Year:
        return item.SetYear(change.text, db);
    case KivTagField::Genre:
        break;
    }
    return item.SetGenreByName(change.text, db);
}

QString describe(const CKivMp3 &item, const KivTagChange &change)
{
    return FieldLabel(change.field) + QStringLiteral(": \"") + CurrentText(item, change.field)
         + QStringLiteral("\" -> \"") + newText(change) + u'"';
}

} // namespace

bool Differs(const CKivMp3 &item, const KivTagChange &change)
{
    return CurrentText(item, change.field) != newText(change);
}

std::vector<KivTagJob> FromEdits(const std::vector<CKivMp3::Ptr> &items, const KivTagEdits &edits)
{
    std::vector<KivTagJob> jobs;
    jobs.reserve(items.size());
    for (const CKivMp3::Ptr &item : items) {
        KivTagJob job{item, true, {}};
        auto add = [&job](KivTagField field, const std::optional<QString> &text) {
            if (text)
                job.changes.push_back({field, *text, 0});
        };
        add(KivTagField::Album, edits.album);
        add(KivTagField::Artist, edits.artist);
        if (edits.track)
            job.changes.push_back({KivTagField::TrackNr, *edits.track, KivToolText::atoi(*edits.track)});
        add(KivTagField::Title, edits.title);
        add(KivTagField::Comment, edits.comment);
        add(KivTagField::Year, edits.year);
        add(KivTagField::Genre, edits.genre);
        jobs.push_back(std::move(job));
    }
    return jobs;
}

std::vector<KivTagJob> FromNames(const std::vector<CKivMp3::Ptr> &items, const KivFilenamePattern &pattern,
                                 const QString &folderName, bool artistFromFolder, bool albumFromFolder)
{
    std::vector<KivTagJob> jobs;
    jobs.reserve(items.size());
    for (const CKivMp3::Ptr &item : items) {
        const KivFilenameFields f = pattern.Parse(item->GetFilename(), folderName, artistFromFolder, albumFromFolder);
        KivTagJob job{item, f.matched, {}};
        if (f.matched) {
            auto add = [&job](KivTagField field, const QString &text) {
                if (!text.isEmpty())
                    job.changes.push_back({field, text, 0});
            };
            add(KivTagField::Album, f.album);
            add(KivTagField::Artist, f.artist);
            add(KivTagField::Comment, f.comment);
            add(KivTagField::Title, f.title);
            if (f.track > 0)
                job.changes.push_back({KivTagField::TrackNr, QString::number(f.track), f.track});
            add(KivTagField::Year, f.year);
        }
        jobs.push_back(std::move(job));
    }
    return jobs;
}

KivFileOutcome Preview(const KivTagJob &job)
{
    KivFileOutcome outcome{job.item, KivFileOutcome::Unchanged, {}};
    if (!job.matched) {
        outcome.status = KivFileOutcome::NoMatch;
        return outcome;
    }
    QStringList changes;
    for (const KivTagChange &change : job.changes) {
        if (Differs(*job.item, change))
            changes.append(describe(*job.item, change));
    }
    if (!changes.isEmpty()) {
        outcome.status = KivFileOutcome::Ok;
        outcome.detail = changes.join(QStringLiteral("; "));
    }
    return outcome;
}

KivBatchSummary Run(const std::vector<KivTagJob> &jobs, CKivDatabase &db, const KivBatchHooks &hooks,
                    bool writeEqual, CKivBatchUndo *undo)
{
    return KivRunBatch(jobs, db, hooks, undo, CKivBatchUndo::Kind::Tags,
                       [&](const KivTagJob &job, CKivBatchTransaction &transaction) {
        KivFileOutcome outcome{job.item, KivFileOutcome::Unchanged, {}};
        if (!job.matched) {
            outcome.status = KivFileOutcome::NoMatch;
        } else {
            const CKivMp3Data before = job.item->Data();
            QStringList changes;
            QStringList failures;
            for (const KivTagChange &change : job.changes) {
                const bool differs = Differs(*job.item, change);
                if (!differs && !writeEqual)
                    continue;
                // An empty genre means none: the genre table has no such name and the tag keeps its own.
                const bool noGenre = change.field == KivTagField::Genre && change.text.isEmpty();
                const QString text = describe(*job.item, change);
                if (transaction.Step(job.item, [&] { return write(*job.item, change, db); })) {
                    if (differs)
                        changes.append(text);
                } else if (!noGenre) {
                    failures.append(FieldLabel(change.field));
                }
            }
            if (!failures.isEmpty()) {
                outcome.status = KivFileOutcome::Failed;
                outcome.detail = QStringLiteral("cannot write ") + failures.join(QStringLiteral(", "));
                if (!changes.isEmpty())
                    outcome.detail += QStringLiteral(" (written: ") + changes.join(QStringLiteral("; ")) + u')';
            } else if (!changes.isEmpty()) {
                outcome.status = KivFileOutcome::Ok;
                outcome.detail = changes.join(QStringLiteral("; "));
            }
            if (undo && !changes.isEmpty())
                undo->Record(job.item, before);
        }
        return outcome;
    });
}

} // namespace KivTagBatch
