#include "platform/vidide/Dispatcher.h"

#include "platform/vidide/VidIde.h"

#include <atomic>

namespace {

std::atomic<ThreadStartHook> g_threadStartHook{nullptr};

} // namespace

void VidIde_SetThreadStartHook(ThreadStartHook hook)
{
    g_threadStartHook.store(hook);
}

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
    ThreadStartHook hookDone = nullptr;
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
        // A hook set after the thread started still runs before any job.
        const ThreadStartHook hook = g_threadStartHook.load();
        if (hook != hookDone) {
            hookDone = hook;
            if (hook)
                hook();
        }
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
