#pragma once

#include "tools/BatchRows.h"

#include <QDateTime>

#include <vector>

class CKivDatabase;

// The last tag or renaming batch of this program run, kept so that it can be taken back: for every
// file it changed, its values before and after and the file's size and modification time after.
// Undo writes the old tags or names back (file and catalog row, through the item) for every file
// that nothing else changed since; the others are reported and left alone. Used on the
// user-interface thread only.
class CKivBatchUndo
{
public:
    enum class Kind { None, Tags, Names };

    // Forgets the previous batch and starts recording a new one.
    void Begin(Kind kind);
    // A file of the running batch changed; before holds its values before the batch. Call after the
    // batch wrote the file (a second call for the same item keeps the first before).
    void Record(const CKivMp3::Ptr &item, const CKivMp3Data &before);
    bool CanUndo() const { return m_kind != Kind::None && !m_entries.empty(); }
    Kind GetKind() const { return m_kind; }
    int Count() const { return int(m_entries.size()); }
    void Clear();

    // Takes the batch back and forgets it: every file gets its old tag or name again, the rows
    // written together per chunk as in the batch. A file changed since the batch counts as failed
    // ("changed since") and is not touched.
    KivBatchSummary Undo(CKivDatabase &db, const KivBatchHooks &hooks);

    // The one record of this program run.
    static CKivBatchUndo &Last();

private:
    struct Entry
    {
        CKivMp3::Ptr item;
        CKivMp3Data before;
        CKivMp3Data after;
        qint64 size = -1;
        QDateTime modified;
    };

    static void stamp(Entry &entry);
    static bool untouched(const Entry &entry);
    static KivBatchStep undoTags(const Entry &entry);
    static KivBatchStep undoName(const Entry &entry);

    Kind m_kind = Kind::None;
    std::vector<Entry> m_entries;
};
