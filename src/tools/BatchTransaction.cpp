#include "tools/BatchTransaction.h"

#include "catalog/Database.h"

#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcBatch, "melvora.tools")

} // namespace

CKivBatchTransaction::CKivBatchTransaction(CKivDatabase &db, int chunk) : m_db(db), m_chunk(chunk < 1 ? 1 : chunk) {}

CKivBatchTransaction::~CKivBatchTransaction()
{
    Flush();
}

quint64 CKivBatchTransaction::begin()
{
    if (!m_open)
        m_open = m_db.BeginTransaction();
    return m_db.ErrorCount();
}

void CKivBatchTransaction::end(const CKivMp3::Ptr &item, bool ok, quint64 errorsBefore)
{
    if (!m_open)
        return;
    if (m_db.ErrorCount() != errorsBefore) {
        // A statement was refused: on PostgreSQL the transaction takes nothing more until it is
        // rolled back. The refused call has already taken back its own file and values; a call that
        // went through all the same is written again with the others.
        if (ok)
            m_written.push_back(item);
        replayChunk();
        return;
    }
    if (ok && (m_written.empty() || m_written.back() != item))
        m_written.push_back(item);
}

void CKivBatchTransaction::replayChunk()
{
    m_db.Rollback();
    m_open = m_db.BeginTransaction();
    const std::vector<CKivMp3::Ptr> written = std::move(m_written);
    m_written.clear();
    for (const CKivMp3::Ptr &item : written) {
        if (item->Save(m_db))
            m_written.push_back(item);
        else
            qCWarning(lcBatch).noquote() << "The row of" << item->FullPath()
                                         << "could not be written again after a refused row of its batch";
    }
}

void CKivBatchTransaction::FileDone()
{
    if (m_open && ++m_files >= m_chunk)
        Flush();
}

void CKivBatchTransaction::Flush()
{
    if (m_open && !m_db.Commit())
        m_db.Rollback();
    m_open = false;
    m_files = 0;
    m_written.clear();
}
