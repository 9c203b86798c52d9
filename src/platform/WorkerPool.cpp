#include "platform/WorkerPool.h"

#include <algorithm>
#include <system_error>

namespace tavrelo {

WorkerPool::WorkerPool(unsigned threads)
{
    if (threads == 0)
        threads = std::max(1u, std::thread::hardware_concurrency());
    try {
        for (unsigned i = 1; i < threads; ++i)
            m_workers.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // Fewer threads than asked for: the ones there are share the tasks.
    }
}

WorkerPool::~WorkerPool()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_started.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

// Takes task numbers until none is left; called with the mutex held, returns with it held.
void WorkerPool::runTasks()
{
    while (m_next < m_count) {
        const size_t index = m_next++;
        m_mutex.unlock();
        try {
            m_task(index);
        } catch (...) {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_failure)
                m_failure = std::current_exception();
        }
        m_mutex.lock();
    }
}

void WorkerPool::work()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    unsigned seen = m_step;
    for (;;) {
        m_started.wait(lock, [&] { return m_stopping || m_step != seen; });
        if (m_stopping)
            return;
        seen = m_step;
        ++m_busy;
        runTasks();
        if (--m_busy == 0)
            m_ended.notify_all();
    }
}

void WorkerPool::start(size_t count, std::function<void(size_t)> task)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_task = std::move(task);
        m_count = count;
        m_next = 0;
        m_failure = nullptr;
        ++m_step;
    }
    if (!m_workers.empty())
        m_started.notify_all();
}

void WorkerPool::wait()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    runTasks();
    // Every task has been taken; wait for the workers still inside one.
    m_ended.wait(lock, [&] { return m_busy == 0; });
    m_count = 0;
    m_task = nullptr;
    std::exception_ptr failure = m_failure;
    m_failure = nullptr;
    lock.unlock();
    if (failure)
        std::rethrow_exception(failure);
}

} // namespace tavrelo
