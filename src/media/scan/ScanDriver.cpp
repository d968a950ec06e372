#include "media/scan/ScanDriver.h"

#include "media/scan/ScanFind.h"
#include "media/scan/ScanList.h"
#include "media/scan/ScanLog.h"
#include "media/scan/ScanStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>

std::atomic<bool> CKivScanDriver::s_running{false};

CKivScanDriver::CKivScanDriver(std::shared_ptr<CKivScanList> list)
    : m_list(std::move(list))
{
}

CKivScanDriver::~CKivScanDriver()
{
    CancelAndWait();
}

bool CKivScanDriver::Start()
{
    return startAt(State::Finding);
}

bool CKivScanDriver::StartStoring()
{
    return startAt(State::Storing);
}

bool CKivScanDriver::startAt(State phase)
{
    if (m_state != State::Idle)
        return false;
    bool expected = false;
    if (!s_running.compare_exchange_strong(expected, true)) {
        qCInfo(lcScan) << "A scan is running already; another one is not started";
        return false;
    }
    startPhase(phase);
    return true;
}

void CKivScanDriver::startPhase(State phase)
{
    m_state = phase;
    // Busy before the worker exists: a tick between now and the worker's first step must not
    // take the phase for done.
    m_list->SetBusy(1);
    std::shared_ptr<CKivScanList> list = m_list;
    if (phase == State::Finding)
        m_worker.reset(QThread::create([list] { KivScanFind::Run(*list); }));
    else
        m_worker.reset(QThread::create([list] { KivScanStore::Run(*list); }));
    m_worker->setObjectName(phase == State::Finding ? QStringLiteral("melvora-scan-find")
                                                    : QStringLiteral("melvora-scan-store"));
    m_worker->start();
}

CKivScanDriver::State CKivScanDriver::Poll()
{
    if (!IsRunning() || m_list->GetBusy() != 0)
        return m_state;
    waitForWorker(false);
    if (m_state == State::Finding)
        startPhase(State::Storing);
    else
        finish();
    return m_state;
}

void CKivScanDriver::waitForWorker(bool cancelling)
{
    if (!m_worker)
        return;
    const bool mayDeliver = QCoreApplication::instance()
                         && QCoreApplication::instance()->thread() == QThread::currentThread();
    while (!m_worker->wait(QDeadlineTimer(20))) {
        // A worker may be waiting for a message to be shown on this thread.
        if (mayDeliver)
            QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
        // A phase clears the flag when it begins: asked again until the worker has ended.
        if (cancelling)
            m_list->SetCancel(1);
    }
    m_worker.reset();
}

void CKivScanDriver::finish()
{
    m_state = State::Finished;
    s_running.store(false);
}

void CKivScanDriver::CancelAndWait()
{
    if (!IsRunning())
        return;
    m_list->SetCancel(1);
    waitForWorker(true);
    m_list->SetBusy(0);
    finish();
}
