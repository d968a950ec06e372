#include "tools/BatchUndo.h"

#include "mp3/MpegAudioInfo.h"

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

KivFileOutcome CKivBatchUndo::undoTags(const Entry &entry, CKivDatabase &db) const
{
    CKivMp3 &item = *entry.item;
    const CKivMp3Data &old = entry.before;
    QStringList failed;
    auto check = [&failed](bool ok, const char *field) {
        if (!ok)
            failed.append(QLatin1String(field));
    };
    const CKivMp3Data now = item.Data();
    if (now.m_Album != old.m_Album)
        check(item.SetAlbum(old.m_Album, db), "Album");
    if (now.m_Artist != old.m_Artist)
        check(item.SetArtist(old.m_Artist, db), "Artist");
    if (now.m_TrackNr != old.m_TrackNr)
        check(item.SetTrackNr(old.m_TrackNr, db), "Track");
    if (now.m_Title != old.m_Title)
        check(item.SetTitle(old.m_Title, db), "Title");
    if (now.m_Comment != old.m_Comment)
        check(item.SetComment(old.m_Comment, db), "Comment");
    if (now.m_Year != old.m_Year)
        check(item.SetYear(old.m_Year, db), "Year");
    if (now.m_Genre != old.m_Genre)
        check(item.SetGenreByName(CMpegAudioInfo::GenreName(old.m_Genre), db), "Genre");
    if (!failed.isEmpty())
        return {entry.item, KivFileOutcome::Failed, QStringLiteral("cannot write ") + failed.join(QStringLiteral(", "))};
    return {entry.item, KivFileOutcome::Ok, QStringLiteral("tag restored")};
}

KivFileOutcome CKivBatchUndo::undoName(const Entry &entry, CKivDatabase &db) const
{
    const QString now = entry.item->GetFilename();
    const std::optional<QString> used = entry.item->Rename(entry.before.m_Filename, db);
    if (!used)
        return {entry.item, KivFileOutcome::Failed, QStringLiteral("cannot rename ") + now};
    return {entry.item, KivFileOutcome::Ok, now + QStringLiteral(" -> ") + *used};
}

KivBatchSummary CKivBatchUndo::Undo(CKivDatabase &db, const KivBatchHooks &hooks)
{
    KivBatchSummary summary;
    if (!CanUndo())
        return summary;
    if (hooks.releaseFile)
        hooks.releaseFile();
    const std::vector<Entry> entries = std::move(m_entries);
    const Kind kind = m_kind;
    Clear();
    const int total = int(entries.size());
    for (int i = 0; i < total; ++i) {
        if (hooks.progress && !hooks.progress(i, total)) {
            summary.cancelled = true;
            break;
        }
        const Entry &entry = entries[std::size_t(i)];
        KivFileOutcome outcome;
        if (!untouched(entry))
            outcome = {entry.item, KivFileOutcome::Failed, QStringLiteral("changed since")};
        else if (kind == Kind::Tags)
            outcome = undoTags(entry, db);
        else
            outcome = undoName(entry, db);
        summary.count(outcome.status);
        if (hooks.report)
            hooks.report(outcome);
    }
    if (hooks.progress)
        hooks.progress(total, total);
    return summary;
}
