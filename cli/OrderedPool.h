#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <future>
#include <mutex>
#include <stop_token>
#include <system_error>
#include <thread>
#include <vector>

namespace cli {

// Runs tasks on a few threads and gives their results back in the order the tasks were given.
//
// Two queues, one for each side. The tasks wait in m_tasks, which the threads share under the
// lock, and are taken in any order the threads come for them. The future of each task waits in
// m_results, which only the caller touches, in the order of submission; takeOldest() waits for
// the first of them. So the order of the results is that of the tasks however the threads finish,
// and a result is only ever read after the thread that made it has let go of it (the future
// hands it over). What a task throws comes back through its future too, and is thrown again
// where its result is taken.
//
// The caller bounds the memory: it takes the oldest result before it gives more than `capacity`
// tasks. The destructor stops the threads and joins them: a task under way is finished, one not
// begun is dropped, and no thread ever waits for the caller, so the destructor never hangs, not
// even while an exception leaves the caller.
template<typename Result> class OrderedPool
{
public:
    OrderedPool(unsigned threads, std::size_t capacity)
        : m_capacity(capacity)
    {
        try {
            for (unsigned i = 0; i < threads; ++i)
                m_threads.emplace_back([this](std::stop_token stop) { work(stop); });
        } catch (const std::system_error &error) {
            stopThreads();
            throw std::system_error(error.code(), "cannot start a thread");
        }
    }
    ~OrderedPool() { stopThreads(); }
    OrderedPool(const OrderedPool &) = delete;
    OrderedPool &operator=(const OrderedPool &) = delete;

    bool empty() const { return m_results.empty(); }
    bool full() const { return m_results.size() >= m_capacity; }

    // Gives a task (a function that returns a Result) to the threads. The pool must not be full.
    template<typename Task> void submit(Task &&task)
    {
        std::packaged_task<Result()> packaged(std::forward<Task>(task));
        m_results.push_back(packaged.get_future());
        {
            const std::lock_guard lock(m_mutex);
            m_tasks.push_back(std::move(packaged));
        }
        m_taskWaiting.notify_one();
    }

    // The result of the oldest task, once it is done; what the task threw, where it threw. The
    // pool must not be empty.
    Result takeOldest()
    {
        auto oldest = std::move(m_results.front());
        m_results.pop_front();
        return oldest.get();
    }

private:
    void work(std::stop_token stop)
    {
        for (;;) {
            std::packaged_task<Result()> task;
            {
                std::unique_lock lock(m_mutex);
                m_taskWaiting.wait(lock, stop, [this] { return !m_tasks.empty(); });
                if (stop.stop_requested())
                    return;
                task = std::move(m_tasks.front());
                m_tasks.pop_front();
            }
            task(); // its result, or what it throws, goes to its future
        }
    }

    // Here rather than left to the members' destructors, so that it holds whatever the order the
    // members are declared in: no thread outlives the queue and the lock it uses.
    void stopThreads()
    {
        for (auto &thread : m_threads)
            thread.request_stop();
        for (auto &thread : m_threads)
            thread.join();
        m_threads.clear();
    }

    const std::size_t m_capacity;
    std::deque<std::future<Result>> m_results; // the caller's alone
    std::mutex m_mutex;
    std::condition_variable_any m_taskWaiting; // wakes a thread for a task, or for its stop
    std::deque<std::packaged_task<Result()>> m_tasks; // under m_mutex
    std::vector<std::jthread> m_threads;
};

} // namespace cli
