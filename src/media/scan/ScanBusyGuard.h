#pragma once

#include "media/scan/ScanList.h"

// Clears a scan list's busy flag when a worker's phase ends, on every way out of it.
class CKivScanBusyGuard
{
public:
    explicit CKivScanBusyGuard(CKivScanList &list)
        : m_list(list)
    {
        m_list.SetBusy(1);
    }
    ~CKivScanBusyGuard() { m_list.SetBusy(0); }
    CKivScanBusyGuard(const CKivScanBusyGuard &) = delete;
    CKivScanBusyGuard &operator=(const CKivScanBusyGuard &) = delete;

private:
    CKivScanList &m_list;
};
