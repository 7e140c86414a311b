#include "pipeline/prefetch.h"

#include <string>

#include "pipeline/thread_budget.h"
#include "util/exception.h"

namespace cmpnt {

namespace {

// A configured budget is read as OSTREL_THREADS is: the whole text must be
// a number from 1 to 1024 ("0" and "2x" are refused).
int configured_threads(const xml::Querier& element) {
    try {
        return thread_budget(element.raw_text());
    } catch (const util::Exception& error) {
        throw util::Exception(std::string("prefetch: ") + error.what());
    }
}

}  // namespace

const config::Schema<Prefetch::Parameters>& Prefetch::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("prefetch", "runs the stages downstream on a worker thread")
            .optional(&P::capacity, "capacity", "the frames waiting between the two sides", config::at_least(1))
            .product(&P::threads, "threads", "a whole number from 1 to 1024",
                     "the thread budget (default OSTREL_THREADS, else every core); 1 passes frames on "
                     "synchronously",
                     &configured_threads, false)
            .rule("threads", "0 (not set) or from 1 to 1024",
                  [](const P& p) { return p.threads >= 0 && p.threads <= 1024; },
                  [](const P& p) { return std::to_string(p.threads); });
    return schema;
}

Prefetch::Prefetch(const Parameters& parameters)
    : Prefetch(static_cast<std::size_t>(schema().validate(parameters).capacity),
               parameters.threads > 0 ? parameters.threads : thread_budget()) {}

Prefetch::Prefetch(std::size_t capacity, int threads)
    : capacity_(capacity), asynchronous_(threads > 1) {
    if (capacity_ < 1) throw util::Exception("prefetch: capacity must be at least 1: capacity = 0");
}

Prefetch::~Prefetch() {
    if (!worker_.joinable()) return;
    // An upstream failure ends the run before the end of the stream: the
    // frames already handed over are still processed, as they would have
    // been without the stage, and then the worker ends.
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    worker_.join();
}

void Prefetch::push_frame(FramePtr frame) {
    if (!asynchronous_) {
        child().push_frame(std::move(frame));
        return;
    }
    if (!worker_.joinable()) {
        if (done_) throw util::Exception("prefetch: frame pushed after the end of the stream");
        worker_ = std::thread(&Prefetch::work, this);
    }
    const bool end = !frame;
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return queue_.size() < capacity_ || failure_; });
        if (!failure_) queue_.push_back(std::move(frame));
    }
    changed_.notify_all();
    if (end) {
        finish();
        return;
    }
    rethrow_failure();
}

void Prefetch::work() {
    for (;;) {
        FramePtr frame;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            changed_.wait(lock, [this] { return !queue_.empty() || stopping_; });
            if (queue_.empty()) return;  // stopping, nothing left
            frame = std::move(queue_.front());
            queue_.pop_front();
        }
        changed_.notify_all();
        const bool end = !frame;
        try {
            child().push_frame(std::move(frame));
        } catch (...) {
            std::lock_guard<std::mutex> lock(mutex_);
            failure_ = std::current_exception();
            queue_.clear();
            done_ = true;
            changed_.notify_all();
            return;
        }
        if (end) {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
            changed_.notify_all();
            return;
        }
    }
}

void Prefetch::finish() {
    {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return done_; });
    }
    worker_.join();
    rethrow_failure();
}

void Prefetch::rethrow_failure() {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!failure_ || failure_raised_) return;
    failure_raised_ = true;
    std::rethrow_exception(failure_);
}

}  // namespace cmpnt
