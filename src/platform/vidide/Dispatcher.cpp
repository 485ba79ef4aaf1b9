#include "platform/vidide/Dispatcher.h"

namespace vidide {

Dispatcher::Dispatcher()
{
    std::thread worker([this] { run(); });
    m_threadId = worker.get_id();
    worker.detach();
}

void Dispatcher::post(int delayMs, std::function<void()> job)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const auto due = Clock::now() + std::chrono::milliseconds(delayMs < 0 ? 0 : delayMs);
        // The sequence keeps jobs of equal due time in posting order.
        m_jobs.emplace(std::make_pair(due, m_sequence++), std::move(job));
    }
    m_wake.notify_one();
}

bool Dispatcher::idle()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_jobs.empty() && !m_running;
}

void Dispatcher::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        if (m_jobs.empty()) {
            m_wake.wait(lock);
            continue;
        }
        const auto due = m_jobs.begin()->first.first;
        if (Clock::now() < due) {
            m_wake.wait_until(lock, due);
            continue;
        }
        std::function<void()> job = std::move(m_jobs.begin()->second);
        m_jobs.erase(m_jobs.begin());
        m_running = true;
        lock.unlock();
        job();
        lock.lock();
        m_running = false;
    }
}

Dispatcher &eventDispatcher()
{
    static Dispatcher *dispatcher = new Dispatcher;
    return *dispatcher;
}

Dispatcher &upgradeDispatcher()
{
    static Dispatcher *dispatcher = new Dispatcher;
    return *dispatcher;
}

} // namespace vidide
