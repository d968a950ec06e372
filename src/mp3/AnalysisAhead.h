#pragma once

#include "mp3/MpegAudioInfo.h"

#include <QString>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

// Analyses the files of a list on a small pool of threads ahead of the caller, who takes the results
// one by one in list order. On a cold disk, a USB stick or a network share every file costs a round
// trip to the device; with several files under way the device stays busy while the caller handles
// the results, and with the files in the page cache the analysis itself is spread over the cores.
// Each result is exactly what CMpegAudioInfo's own call gives for that file at that moment.
//
// The pool keeps at most a bounded number of results ahead of the caller. Stop(), or the
// destructor, ends every worker before it returns; an analysis under way is finished first.
class CKivAnalysisAhead
{
public:
    // What each file gets: ReadTag (the tags only) or Analyze (the frame walk and the tags).
    enum class Kind { Tags, Full };

    struct Limits
    {
        int threads = 8;
        int files = 64; // results ahead of the caller at most
    };

    // paths: the files in the order the caller takes them. Starts the workers at once (none when the
    // pool is switched off or the list has fewer than two files; TakeNext then analyses in place).
    CKivAnalysisAhead(std::vector<QString> paths, Kind kind, Limits limits);
    CKivAnalysisAhead(std::vector<QString> paths, Kind kind)
        : CKivAnalysisAhead(std::move(paths), kind, Limits())
    {
    }
    ~CKivAnalysisAhead();
    CKivAnalysisAhead(const CKivAnalysisAhead &) = delete;
    CKivAnalysisAhead &operator=(const CKivAnalysisAhead &) = delete;

    // The result for the next file of the list (the first at the first call): what ReadTag or
    // Analyze returned, with info holding its values. Waits while the pool is still at that file.
    // Past the end of the list: false.
    bool TakeNext(CMpegAudioInfo &info);
    // Ends every worker and waits for it.
    void Stop();

    // Files the pool has analysed so far.
    size_t AnalysedCount() const { return m_analysed.load(); }

    // Whether new pools start their workers (on by default); off, every file is analysed by TakeNext in
    // turn, the plain sequential way.
    static void SetEnabled(bool enabled);
    static bool IsEnabled();
    // Workers alive in the whole process.
    static int LiveWorkers() { return s_liveWorkers.load(); }

private:
    struct Slot
    {
        bool done = false;
        bool opened = false;
        CMpegAudioInfo info;
    };

    void workerLoop();
    bool analyse(size_t index, CMpegAudioInfo &info) const;
    Slot &slotOf(size_t index) { return m_slots[index % m_slots.size()]; }

    const std::vector<QString> m_paths;
    const Kind m_kind;

    std::mutex m_mutex;
    std::condition_variable m_room; // workers wait here for room in the window
    std::condition_variable m_done; // the caller waits here for its result
    std::vector<Slot> m_slots;
    size_t m_next = 0;  // next file to analyse
    size_t m_taken = 0; // files the caller has taken
    int m_workersWaiting = 0;
    bool m_callerWaiting = false;
    bool m_stop = false;
    std::atomic<size_t> m_analysed{0};
    std::vector<std::thread> m_threads;

    static std::atomic<int> s_liveWorkers;
};
