#pragma once

#include <QThread>

#include <atomic>
#include <memory>

class CKivScanList;

// Runs the two phases of a scan, each on its own worker thread, driven by a timer of the user
// interface that calls Poll() every 100 ms: the first tick after the first phase cleared the busy
// flag starts the second phase; the first tick after that one ended reports the scan finished. The
// busy flag is set before any worker starts, so no tick can mistake a phase that has not yet begun
// for one that has ended. Only one scan runs at a time in the program.
class CKivScanDriver
{
public:
    enum class State { Idle, Finding, Storing, Finished };

    explicit CKivScanDriver(std::shared_ptr<CKivScanList> list);
    // Cancels a running phase and waits for its worker.
    ~CKivScanDriver();
    CKivScanDriver(const CKivScanDriver &) = delete;
    CKivScanDriver &operator=(const CKivScanDriver &) = delete;

    // Starts the first phase. False (and nothing starts) when another scan is running.
    bool Start();
    // Starts the second phase alone, on items the caller put into the list (an archive import).
    // False (and nothing starts) when another scan is running.
    bool StartStoring();
    // One timer tick; returns the state after it.
    State Poll();
    State GetState() const { return m_state; }
    bool IsRunning() const { return m_state == State::Finding || m_state == State::Storing; }
    const std::shared_ptr<CKivScanList> &list() const { return m_list; }

    // Asks the running phase to stop and waits until its worker has ended. Messages the worker is
    // waiting to show on this thread are delivered meanwhile, so the wait cannot lock up.
    void CancelAndWait();

    // Whether any scan of the program is running.
    static bool IsAnyRunning() { return s_running.load(); }

private:
    bool startAt(State phase);
    void startPhase(State phase);
    void waitForWorker(bool cancelling);
    void finish();

    std::shared_ptr<CKivScanList> m_list;
    std::unique_ptr<QThread> m_worker;
    State m_state = State::Idle;

    static std::atomic<bool> s_running;
};
