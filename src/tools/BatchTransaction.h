#pragma once

#include "mp3/item/Mp3Item.h"

#include <vector>

class CKivDatabase;

// Groups the catalog writes of a tag or renaming batch: one transaction for every chunk of files
// (one commit instead of one per row, which on SQLite means one disk flush instead of hundreds).
// A call of an item (one setter, one rename) keeps its file and row in step by itself; when the
// catalog refuses its row, the item takes its file back, and the chunk's transaction is rolled back
// and the rows of the chunk's other calls are written again, so only the refused call is undone.
// (A refused statement aborts a whole PostgreSQL transaction; replaying the few rows after such a
// rare failure is cheaper than a savepoint around every file.) Without transactions on the
// connection it does nothing and every row is written at once, as before.
class CKivBatchTransaction
{
public:
    explicit CKivBatchTransaction(CKivDatabase &db, int chunk = DefaultChunk);
    // Commits the open chunk.
    ~CKivBatchTransaction();
    CKivBatchTransaction(const CKivBatchTransaction &) = delete;
    CKivBatchTransaction &operator=(const CKivBatchTransaction &) = delete;

    // Files per transaction.
    static constexpr int DefaultChunk = 250;

    // Runs one call of item that writes its row; when the catalog refused a row during it, the
    // chunk is rolled back and its other rows are written again.
    template <typename Call>
    bool Step(const CKivMp3::Ptr &item, Call call)
    {
        const quint64 errors = begin();
        const bool ok = call();
        end(item, ok, errors);
        return ok;
    }
    // One file is done: every chunk of files is committed.
    void FileDone();
    // Commits the open chunk at once (before a long pause, or at the end).
    void Flush();

private:
    quint64 begin();
    void end(const CKivMp3::Ptr &item, bool ok, quint64 errorsBefore);
    void replayChunk();

    CKivDatabase &m_db;
    int m_chunk;
    int m_files = 0;
    bool m_open = false;
    // The items whose rows the open chunk has written, to be written again after a rollback.
    std::vector<CKivMp3::Ptr> m_written;
};
