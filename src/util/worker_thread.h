#pragma once
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <type_traits>

namespace util {

// One long-lived thread that runs the jobs handed to it in order. Writers
// that work in the background use it instead of starting a thread per frame:
// a new thread each frame also gets a new share of the allocator's per-thread
// heaps, so the megabyte buffers it makes land on pages the kernel must map
// and zero again (with jemalloc that tripled the page faults of a run).
//
// The thread starts with the first job. The destructor runs the jobs still
// waiting and then ends the thread.
class WorkerThread {
public:
    WorkerThread() = default;
    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;
    ~WorkerThread();

    // Queues `job`; the future gives its result, or rethrows what it threw.
    template <class Job>
    std::future<std::invoke_result_t<Job&>> run(Job job) {
        using Result = std::invoke_result_t<Job&>;
        auto task = std::make_shared<std::packaged_task<Result()>>(std::move(job));
        std::future<Result> result = task->get_future();
        post([task] { (*task)(); });
        return result;
    }

private:
    void post(std::function<void()> job);
    void loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace util
