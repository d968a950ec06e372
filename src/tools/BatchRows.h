#pragma once

#include "tools/BatchTypes.h"

#include <vector>

class CKivDatabase;

// One file of a tag or renaming batch after its disk work: what to report, and whether its catalog
// row still waits to be written.
struct KivBatchStep
{
    // Reported once the row is written (or at once when there is no row to write).
    KivFileOutcome outcome;
    // The file changed on disk (or was written again); its row takes the item's values later.
    bool rowWaits = false;
    // The item's values before the disk work.
    CKivMp3Data before;
    // Why the file failed when its row is refused (the file is then taken back).
    QString refused;
    // The change goes into the batch's undo record once its row is written.
    bool record = false;
};

// Writes the rows of a batch's files together: the steps of a chunk of files are collected, and
// their rows are written in one transaction with two statements for any number of rows (only the
// columns that differ). When that is refused, the chunk is rolled back and written row by row, so
// that only a refused row fails: its file is taken back (old name, old tag) and its outcome becomes
// a failure. No file stays changed on disk while its row keeps the old values, or the reverse.
class CKivBatchRows
{
public:
    explicit CKivBatchRows(CKivDatabase &db, int chunk = DefaultChunk);
    CKivBatchRows(const CKivBatchRows &) = delete;
    CKivBatchRows &operator=(const CKivBatchRows &) = delete;
    // Writes what is still collected (its outcomes are lost: call Flush first).
    ~CKivBatchRows();

    // Files per chunk (and per transaction).
    static constexpr int DefaultChunk = 250;

    void Add(KivBatchStep step);
    bool Full() const { return int(m_steps.size()) >= m_chunk; }
    // Writes the collected rows and hands back the steps in the order they came, each outcome final
    // (a refused row's file taken back and its outcome a failure, its undo record dropped).
    std::vector<KivBatchStep> Flush();

private:
    bool writeTogether(const std::vector<KivBatchStep> &steps, const std::vector<size_t> &waiting);
    std::vector<size_t> writeOneByOne(const std::vector<KivBatchStep> &steps, const std::vector<size_t> &waiting,
                                      bool &open);
    bool rewrite(const std::vector<KivBatchStep> &steps, std::vector<size_t> &written, bool &open);

    CKivDatabase &m_db;
    int m_chunk;
    std::vector<KivBatchStep> m_steps;
};
