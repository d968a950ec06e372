#pragma once

class CKivDatabase;

// Groups the catalog writes of a tag or renaming batch: one transaction for every chunk of files
// (one commit instead of one per row, which on SQLite means one disk flush instead of hundreds), and
// a savepoint for every file, so that a file whose row is refused is rolled back alone while the
// others of its chunk stay. The savepoint covers one call of the item (one setter, one rename): the
// item keeps its file and row in step call by call, so a refused call is undone alone. Without
// transactions on the connection it does nothing and every row is written at once, as before.
class CKivBatchTransaction
{
public:
    explicit CKivBatchTransaction(CKivDatabase &db, int chunk = 100);
    // Commits the open chunk.
    ~CKivBatchTransaction();
    CKivBatchTransaction(const CKivBatchTransaction &) = delete;
    CKivBatchTransaction &operator=(const CKivBatchTransaction &) = delete;

    // Runs one call of an item; when it fails, its rows are rolled back to where it began.
    template <typename Call>
    bool Step(Call call)
    {
        begin();
        const bool ok = call();
        end(ok);
        return ok;
    }
    // One file is done: every chunk of files is committed.
    void FileDone();
    // Commits the open chunk at once (before a long pause, or at the end).
    void Flush();

private:
    void begin();
    void end(bool ok);
    bool exec(const char *sql);

    CKivDatabase &m_db;
    int m_chunk;
    int m_files = 0;
    bool m_open = false;
    bool m_savepoint = false;
};
