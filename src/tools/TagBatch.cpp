#include "tools/TagBatch.h"

#include "tools/BatchLoop.h"
#include "tools/ToolText.h"
#include "mp3/MpegAudioInfo.h"

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

// Puts the change into values as the item's setter would; false for a genre name the genre table
// does not know (the values stay).
bool apply(CKivMp3Data &values, const KivTagChange &change)
{
    switch (change.field) {
    case KivTagField::Album:
        values.m_Album = change.text;
        return true;
    case KivTagField::Artist:
        values.m_Artist = change.text;
        return true;
    case KivTagField::TrackNr:
        values.m_TrackNr = qBound(0, change.number, 255);
        return true;
    case KivTagField::Title:
        values.m_Title = change.text;
        return true;
    case KivTagField::Comment:
        values.m_Comment = change.text;
        return true;
    case KivTagField::Year:
        values.m_Year = change.text;
        return true;
    case KivTagField::Genre:
        break;
    }
    const int genre = CMpegAudioInfo::GenreByName(change.text);
    if (genre < 0)
        return false;
    values.m_Genre = genre;
    values.m_GenreName = change.text;
    return true;
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

namespace {

// One file of a retag: every ticked field goes into the tag with one write of the file; the row
// follows with the chunk.
KivBatchStep retag(const KivTagJob &job, bool writeEqual)
{
    KivBatchStep step;
    step.outcome.item = job.item;
    if (!job.matched) {
        step.outcome.status = KivFileOutcome::NoMatch;
        return step;
    }
    CKivMp3 &item = *job.item;
    CKivMp3Data values = item.Data();
    std::vector<const KivTagChange *> writes;
    QStringList changes;
    QStringList unknown;    // fields the item refuses whatever the file (a genre name not in the table)
    QStringList attempted;  // every field that fails when the file or its row cannot be written
    for (const KivTagChange &change : job.changes) {
        const bool differs = Differs(item, change);
        if (!differs && !writeEqual)
            continue;
        if (!apply(values, change)) {
            // An empty genre means none: the genre table has no such name and the tag keeps its own.
            if (!(change.field == KivTagField::Genre && change.text.isEmpty())) {
                unknown.append(FieldLabel(change.field));
                attempted.append(FieldLabel(change.field));
            }
            continue;
        }
        writes.push_back(&change);
        attempted.append(FieldLabel(change.field));
        if (differs)
            changes.append(describe(item, change));
    }
    if (!writes.empty()) {
        std::optional<CKivMp3Data> before = item.WriteTagFile([&writes](CKivMp3Data &d) {
            for (const KivTagChange *change : writes)
                apply(d, *change);
        });
        if (before) {
            step.rowWaits = true;
            step.before = std::move(*before);
            step.refused = QStringLiteral("cannot write ") + attempted.join(QStringLiteral(", "));
            step.record = !changes.isEmpty();
        } else {
            unknown = attempted;
            changes.clear();
        }
    }
    if (!unknown.isEmpty()) {
        step.outcome.status = KivFileOutcome::Failed;
        step.outcome.detail = QStringLiteral("cannot write ") + unknown.join(QStringLiteral(", "));
        if (!changes.isEmpty())
            step.outcome.detail += QStringLiteral(" (written: ") + changes.join(QStringLiteral("; ")) + u')';
    } else if (!changes.isEmpty()) {
        step.outcome.status = KivFileOutcome::Ok;
        step.outcome.detail = changes.join(QStringLiteral("; "));
    }
    return step;
}

} // namespace

KivBatchSummary Run(const std::vector<KivTagJob> &jobs, CKivDatabase &db, const KivBatchHooks &hooks,
                    bool writeEqual, CKivBatchUndo *undo, int chunk)
{
    return KivRunBatch(
        jobs, db, hooks, undo, CKivBatchUndo::Kind::Tags,
        [writeEqual](const KivTagJob &job) { return retag(job, writeEqual); }, chunk);
}

} // namespace KivTagBatch
