#include "util/worker_thread.h"

#include <utility>

namespace util {

WorkerThread::~WorkerThread() {
    if (!thread_.joinable()) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_one();
    thread_.join();
}

void WorkerThread::post(std::function<void()> job) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        jobs_.push_back(std::move(job));
        if (!thread_.joinable()) thread_ = std::thread(&WorkerThread::loop, this);
    }
    changed_.notify_one();
}

void WorkerThread::loop() {
    for (;;) {
        std::function<void()> job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return !jobs_.empty() || stopping_; });
            if (jobs_.empty()) return;  // stopping, nothing left
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        // A packaged task keeps its job's exception for the future.
        job();
    }
}

}  // namespace util
