#pragma once
// A few threads that run the numbered tasks of one step together with the thread
// that hands the step out, for the converters' work on large files that splits into
// independent pieces. Without threads to be had, the caller runs every task itself.
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace tavrelo {

class WorkerPool {
public:
    // threads counts the caller; 0 takes the machine's processors.
    explicit WorkerPool(unsigned threads = 0);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // The threads that run tasks, the caller included.
    size_t size() const { return m_workers.size() + 1; }

    // Runs task(0) .. task(count - 1), in any order and on any of the threads, and
    // returns when every one has ended. The first exception a task throws is thrown
    // here once all have ended.
    void run(size_t count, std::function<void(size_t)> task)
    {
        start(count, std::move(task));
        wait();
    }
    // The same in two halves: start hands the tasks to the workers and returns at
    // once, so that the caller can do other work meanwhile; wait runs on the caller
    // whatever is still left, and returns (or throws) as run does. One step at a time.
    void start(size_t count, std::function<void(size_t)> task);
    void wait();

private:
    void work();
    void runTasks();

    std::vector<std::thread> m_workers;
    std::mutex m_mutex;
    std::condition_variable m_started;
    std::condition_variable m_ended;
    std::function<void(size_t)> m_task;
    size_t m_count = 0;
    size_t m_next = 0;
    size_t m_busy = 0;       // workers inside the present step
    unsigned m_step = 0;     // counts the steps handed out
    bool m_stopping = false;
    std::exception_ptr m_failure;
};

} // namespace tavrelo
