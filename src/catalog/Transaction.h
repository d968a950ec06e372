#pragma once

class CKivDatabase;

// A transaction on one catalog connection for the lifetime of a scope: rolled back on leaving the
// scope unless Commit() succeeded.
class CKivTransaction
{
public:
    explicit CKivTransaction(CKivDatabase &db);
    ~CKivTransaction();
    CKivTransaction(const CKivTransaction &) = delete;
    CKivTransaction &operator=(const CKivTransaction &) = delete;

    // False when the transaction could not be started (nothing then is rolled back).
    bool IsActive() const { return m_active; }
    bool Commit();

private:
    CKivDatabase &m_db;
    bool m_active;
};
