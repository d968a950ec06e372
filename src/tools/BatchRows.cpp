#include "tools/BatchRows.h"

#include "catalog/Database.h"
#include "catalog/Mp3sBulkUpdate.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcBatch, "melvora.tools")

} // namespace

CKivBatchRows::CKivBatchRows(CKivDatabase &db, int chunk) : m_db(db), m_chunk(chunk < 1 ? 1 : chunk) {}

CKivBatchRows::~CKivBatchRows()
{
    if (!m_steps.empty())
        Flush();
}

void CKivBatchRows::Add(KivBatchStep step)
{
    m_steps.push_back(std::move(step));
}

std::vector<KivBatchStep> CKivBatchRows::Flush()
{
    std::vector<KivBatchStep> steps = std::move(m_steps);
    m_steps.clear();
    std::vector<size_t> waiting;
    for (size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].rowWaits)
            waiting.push_back(i);
    }
    if (waiting.empty())
        return steps;

    std::vector<size_t> written;
    bool open = m_db.BeginTransaction();
    if (open && writeTogether(steps, waiting)) {
        written = waiting;
    } else {
        if (open) {
            m_db.Rollback();
            open = m_db.BeginTransaction();
        }
        written = writeOneByOne(steps, waiting, open);
    }
    if (open && !m_db.Commit()) {
        qCWarning(lcBatch) << "Committing the rows of" << written.size() << "files failed: their files are taken back";
        m_db.Rollback();
        written.clear();
    }

    std::vector<bool> stored(steps.size(), false);
    for (size_t i : written)
        stored[i] = true;
    for (size_t i : waiting) {
        KivBatchStep &step = steps[i];
        if (stored[i]) {
            step.outcome.item->RowWritten();
            continue;
        }
        step.outcome.item->TakeBack(step.before);
        step.outcome.status = KivFileOutcome::Failed;
        step.outcome.detail = step.refused;
        step.record = false;
    }
    return steps;
}

// Every waiting row in one bulk update of the columns its file step changed; an item without a
// stored row is saved whole. False when anything was refused or a row is gone (the transaction is
// then the caller's to roll back).
bool CKivBatchRows::writeTogether(const std::vector<KivBatchStep> &steps, const std::vector<size_t> &waiting)
{
    const quint64 errors = m_db.ErrorCount();
    // The rows as stored before the file steps and as they are to be, key and search text composed.
    std::vector<CKivMp3sRow> rows;
    std::vector<size_t> saves;
    rows.reserve(2 * waiting.size());
    for (size_t i : waiting) {
        const KivBatchStep &step = steps[i];
        const CKivMp3 &item = *step.outcome.item;
        if (item.GetID() < 0) {
            saves.push_back(i);
            continue;
        }
        rows.push_back(step.before.StoredRow());
        rows.push_back(item.Data().StoredRow());
    }
    std::vector<KivMp3sBulkUpdate::Change> changes;
    changes.reserve(rows.size() / 2);
    for (size_t r = 0; r + 1 < rows.size(); r += 2)
        changes.push_back({&rows[r], &rows[r + 1]});
    if (KivMp3sBulkUpdate::RunChanges(m_db, changes).result != KivMp3sBulkUpdate::Result::Done)
        return false;
    for (size_t i : saves) {
        if (!steps[i].outcome.item->Save(m_db))
            return false;
    }
    return m_db.ErrorCount() == errors;
}

// Every waiting row through its item, one after the other; returns the steps whose rows were
// written. A refused row is left out, and as a refused statement aborts a whole PostgreSQL
// transaction, the rows written before it are written again in a new one.
std::vector<size_t> CKivBatchRows::writeOneByOne(const std::vector<KivBatchStep> &steps,
                                                 const std::vector<size_t> &waiting, bool &open)
{
    std::vector<size_t> written;
    for (size_t i : waiting) {
        const KivBatchStep &step = steps[i];
        const quint64 errors = m_db.ErrorCount();
        if (step.outcome.item->WriteRow(step.before, m_db))
            written.push_back(i);
        if (open && m_db.ErrorCount() != errors)
            rewrite(steps, written, open);
    }
    return written;
}

// Rolls the transaction back and writes the rows in written again in a new one. A row refused
// now leaves written, and the others are written once more.
bool CKivBatchRows::rewrite(const std::vector<KivBatchStep> &steps, std::vector<size_t> &written, bool &open)
{
    for (;;) {
        m_db.Rollback();
        open = m_db.BeginTransaction();
        if (!open) {
            written.clear();
            return false;
        }
        bool clean = true;
        for (auto it = written.begin(); it != written.end(); ++it) {
            const KivBatchStep &step = steps[*it];
            const quint64 errors = m_db.ErrorCount();
            if (!step.outcome.item->WriteRow(step.before, m_db) || m_db.ErrorCount() != errors) {
                qCWarning(lcBatch).noquote() << "The row of" << step.outcome.item->FullPath()
                                             << "could not be written again after a refused row of its batch";
                written.erase(it);
                clean = false;
                break;
            }
        }
        if (clean)
            return true;
    }
}
