#include "mp3/AnalysisAhead.h"

#include <algorithm>

namespace {

std::atomic<bool> g_enabled{true};

} // namespace

std::atomic<int> CKivAnalysisAhead::s_liveWorkers{0};

void CKivAnalysisAhead::SetEnabled(bool enabled)
{
    g_enabled.store(enabled);
}

bool CKivAnalysisAhead::IsEnabled()
{
    return g_enabled.load();
}

CKivAnalysisAhead::CKivAnalysisAhead(std::vector<QString> paths, Kind kind, Limits limits)
    : m_paths(std::move(paths)), m_kind(kind), m_slots(size_t(std::max(limits.files, 1)))
{
    if (!IsEnabled() || m_paths.size() < 2)
        return;
    const int threads = std::clamp(limits.threads, 0, int(m_paths.size()));
    m_threads.reserve(size_t(threads));
    for (int i = 0; i < threads; ++i) {
        s_liveWorkers.fetch_add(1);
        m_threads.emplace_back([this] {
            workerLoop();
            s_liveWorkers.fetch_sub(1);
        });
    }
}

CKivAnalysisAhead::~CKivAnalysisAhead()
{
    Stop();
}

void CKivAnalysisAhead::Stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_room.notify_all();
    for (std::thread &thread : m_threads)
        thread.join();
    m_threads.clear();
}

bool CKivAnalysisAhead::analyse(size_t index, CMpegAudioInfo &info) const
{
    return m_kind == Kind::Tags ? info.ReadTag(m_paths[index]) : info.Analyze(m_paths[index]);
}

void CKivAnalysisAhead::workerLoop()
{
    CMpegAudioInfo info;
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        // A slot is free again once the caller has taken the file that used it before.
        while (!m_stop && m_next < m_paths.size() && m_next >= m_taken + m_slots.size()) {
            ++m_workersWaiting;
            m_room.wait(lock);
            --m_workersWaiting;
        }
        if (m_stop || m_next >= m_paths.size())
            return;
        const size_t index = m_next++;
        lock.unlock();
        const bool opened = analyse(index, info);
        m_analysed.fetch_add(1);
        lock.lock();
        Slot &slot = slotOf(index);
        slot.opened = opened;
        slot.info = std::move(info);
        slot.done = true;
        if (m_callerWaiting)
            m_done.notify_one();
    }
}

bool CKivAnalysisAhead::TakeNext(CMpegAudioInfo &info)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const size_t index = m_taken;
    Slot &slot = slotOf(index);
    if (!slot.done && (m_threads.empty() || index >= m_next)) {
        // No worker has this file (none run, or they are all behind): it is analysed here, and the
        // workers carry on after it.
        m_next = std::max(m_next, index + 1);
        m_taken = index + 1;
        const bool wake = m_workersWaiting > 0;
        lock.unlock();
        if (wake)
            m_room.notify_all();
        return index < m_paths.size() && analyse(index, info);
    }
    while (!slot.done) {
        m_callerWaiting = true;
        m_done.wait(lock);
        m_callerWaiting = false;
    }
    const bool opened = slot.opened;
    info = std::move(slot.info);
    slot.done = false;
    m_taken = index + 1;
    // Waiting workers are woken once a quarter of the window is free, not at every file: with the
    // files in the page cache the pool is always ahead, and a wake-up per file would cost more than
    // the file itself.
    const size_t room = m_taken + m_slots.size() - m_next;
    const bool wake = m_workersWaiting > 0 && room >= std::max<size_t>(1, m_slots.size() / 4);
    lock.unlock();
    if (wake)
        m_room.notify_all();
    return opened;
}
