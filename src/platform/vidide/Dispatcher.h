#pragma once

// A library thread running timed jobs one at a time. Posting never waits for
// a running job, so a job may block (on the GUI thread, say) while other
// threads keep calling the library. Jobs run without any library lock held.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <thread>

namespace vidide {

class Dispatcher
{
public:
    Dispatcher();
    Dispatcher(const Dispatcher &) = delete;
    Dispatcher &operator=(const Dispatcher &) = delete;

    void post(int delayMs, std::function<void()> job);
    // True when no job is queued or running.
    bool idle();
    std::thread::id threadId() const { return m_threadId; }

private:
    void run();

    using Clock = std::chrono::steady_clock;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::multimap<std::pair<Clock::time_point, uint64_t>, std::function<void()>> m_jobs;
    uint64_t m_sequence = 0;
    bool m_running = false;
    std::thread::id m_threadId;
};

// The two library threads; created on first use and kept for the whole process
// (a callback may still block when the process ends, so they are never joined).
Dispatcher &eventDispatcher();
Dispatcher &upgradeDispatcher();

} // namespace vidide
