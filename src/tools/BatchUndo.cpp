#include "tools/BatchUndo.h"

#include "tools/BatchLoop.h"

#include <QFileInfo>
#include <QStringList>

namespace {

bool sameTag(const CKivMp3Data &a, const CKivMp3Data &b)
{
    return a.m_Title == b.m_Title && a.m_Artist == b.m_Artist && a.m_Album == b.m_Album && a.m_Year == b.m_Year
        && a.m_Comment == b.m_Comment && a.m_TrackNr == b.m_TrackNr && a.m_Genre == b.m_Genre;
}

bool samePlace(const CKivMp3Data &a, const CKivMp3Data &b)
{
    return a.m_Mediumname == b.m_Mediumname && a.m_SubPath == b.m_SubPath && a.m_Filename == b.m_Filename;
}

} // namespace

CKivBatchUndo &CKivBatchUndo::Last()
{
    static CKivBatchUndo last;
    return last;
}

void CKivBatchUndo::Begin(Kind kind)
{
    m_kind = kind;
    m_entries.clear();
}

void CKivBatchUndo::Clear()
{
    Begin(Kind::None);
}

void CKivBatchUndo::stamp(Entry &entry)
{
    entry.after = entry.item->Data();
    const QFileInfo info(entry.item->FullPath());
    entry.size = info.exists() ? info.size() : -1;
    entry.modified = info.exists() ? info.lastModified() : QDateTime();
}

bool CKivBatchUndo::untouched(const Entry &entry)
{
    const CKivMp3Data &now = entry.item->Data();
    if (!sameTag(now, entry.after) || !samePlace(now, entry.after) || entry.item->IsDeleted())
        return false;
    const QFileInfo info(entry.item->FullPath());
    return info.exists() && info.size() == entry.size && info.lastModified() == entry.modified;
}

void CKivBatchUndo::Record(const CKivMp3::Ptr &item, const CKivMp3Data &before)
{
    if (m_kind == Kind::None || !item)
        return;
    for (Entry &entry : m_entries) {
        if (entry.item == item) {
            stamp(entry);
            return;
        }
    }
    Entry entry{item, before, {}, -1, {}};
    stamp(entry);
    m_entries.push_back(std::move(entry));
}

KivBatchStep CKivBatchUndo::undoTags(const Entry &entry)
{
    CKivMp3 &item = *entry.item;
    const CKivMp3Data &old = entry.before;
    const CKivMp3Data &now = item.Data();
    QStringList fields;
    auto differs = [&fields](bool differ, const char *field) {
        if (differ)
            fields.append(QLatin1String(field));
    };
    differs(now.m_Album != old.m_Album, "Album");
    differs(now.m_Artist != old.m_Artist, "Artist");
    differs(now.m_TrackNr != old.m_TrackNr, "Track");
    differs(now.m_Title != old.m_Title, "Title");
    differs(now.m_Comment != old.m_Comment, "Comment");
    differs(now.m_Year != old.m_Year, "Year");
    differs(now.m_Genre != old.m_Genre, "Genre");
    KivBatchStep step;
    step.outcome = {entry.item, KivFileOutcome::Ok, QStringLiteral("tag restored")};
    const QString failure = QStringLiteral("cannot write ") + fields.join(QStringLiteral(", "));
    // The old values go back as they were, "no genre" too.
    std::optional<CKivMp3Data> before = item.WriteTagFile([&old](CKivMp3Data &d) {
        d.m_Album = old.m_Album;
        d.m_Artist = old.m_Artist;
        d.m_TrackNr = old.m_TrackNr;
        d.m_Title = old.m_Title;
        d.m_Comment = old.m_Comment;
        d.m_Year = old.m_Year;
        d.m_Genre = old.m_Genre;
        d.m_GenreName = old.m_GenreName;
    });
    if (!before) {
        step.outcome = {entry.item, KivFileOutcome::Failed, failure};
        return step;
    }
    step.rowWaits = true;
    step.before = std::move(*before);
    step.refused = failure;
    return step;
}

KivBatchStep CKivBatchUndo::undoName(const Entry &entry)
{
    KivBatchStep step;
    const QString now = entry.item->GetFilename();
    std::optional<CKivMp3Data> before = entry.item->RenameFile(entry.before.m_Filename);
    if (!before) {
        step.outcome = {entry.item, KivFileOutcome::Failed, QStringLiteral("cannot rename ") + now};
        return step;
    }
    step.outcome = {entry.item, KivFileOutcome::Ok, now + QStringLiteral(" -> ") + entry.item->GetFilename()};
    step.rowWaits = true;
    step.before = std::move(*before);
    step.refused = QStringLiteral("cannot rename ") + now;
    return step;
}

KivBatchSummary CKivBatchUndo::Undo(CKivDatabase &db, const KivBatchHooks &hooks)
{
    if (!CanUndo())
        return {};
    const std::vector<Entry> entries = std::move(m_entries);
    const Kind kind = m_kind;
    Clear();
    // The files go back one by one, their rows with those of their chunk, as in the batch itself.
    return KivRunBatch(entries, db, hooks, nullptr, Kind::None, [kind](const Entry &entry) {
        if (!untouched(entry))
            return KivBatchStep{{entry.item, KivFileOutcome::Failed, QStringLiteral("changed since")}, false, {}, {}, false};
        return kind == Kind::Tags ? undoTags(entry) : undoName(entry);
    });
}
