#include "catalog/Transaction.h"

#include "catalog/Database.h"

CKivTransaction::CKivTransaction(CKivDatabase &db) : m_db(db), m_active(db.BeginTransaction()) {}

CKivTransaction::~CKivTransaction()
{
    if (m_active)
        m_db.Rollback();
}

bool CKivTransaction::Commit()
{
    if (!m_active)
        return false;
    if (!m_db.Commit())
        return false;
    m_active = false;
    return true;
}
