#include "tools/BatchTransaction.h"

#include "catalog/Database.h"

#include <QSqlQuery>

CKivBatchTransaction::CKivBatchTransaction(CKivDatabase &db, int chunk) : m_db(db), m_chunk(chunk < 1 ? 1 : chunk) {}

CKivBatchTransaction::~CKivBatchTransaction()
{
    Flush();
}

bool CKivBatchTransaction::exec(const char *sql)
{
    QSqlQuery query(m_db.connection());
    return query.exec(QLatin1String(sql));
}

void CKivBatchTransaction::begin()
{
    if (!m_open)
        m_open = m_db.BeginTransaction();
    m_savepoint = m_open && exec("SAVEPOINT kiv_batch_file");
}

void CKivBatchTransaction::end(bool ok)
{
    if (m_savepoint) {
        if (!ok)
            exec("ROLLBACK TO SAVEPOINT kiv_batch_file");
        exec("RELEASE SAVEPOINT kiv_batch_file");
        m_savepoint = false;
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
}
