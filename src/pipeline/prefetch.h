#pragma once
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <mutex>
#include <thread>

#include "config/schema.h"
#include "pipeline/component.h"

namespace cmpnt {

// Runs every stage downstream of it on a worker thread, so that the stages
// upstream (reading and segmenting frame k + 1) work while the downstream
// ones (tracking and writing frame k) do. Frames keep their order and each
// is processed exactly as without the stage: the output does not depend on
// the number of threads. Key "prefetch".
//
// Configuration (both optional): "capacity", the frames waiting between the
// two sides (default 2, at least 1); "threads", the thread budget (default
// OSTREL_THREADS, else every core). With a budget of 1 the stage passes
// frames on synchronously.
//
// A failure downstream stops the worker; the next frame pushed (or the end
// of the stream) raises it on the pushing thread, so the run ends with the
// usual error.
class Prefetch : public MonoChildComponent {
public:
    struct Parameters {
        int capacity = 2;
        int threads = 0;  // 0: OSTREL_THREADS, else every core
    };
    static const config::Schema<Parameters>& schema();

    explicit Prefetch(const Parameters& parameters);
    explicit Prefetch(const xml::Querier& querier) : Prefetch(schema().bind(querier)) {}
    Prefetch(std::size_t capacity, int threads);
    ~Prefetch() override;
    Prefetch(const Prefetch&) = delete;
    Prefetch& operator=(const Prefetch&) = delete;

    void push_frame(FramePtr frame) override;

    bool asynchronous() const { return asynchronous_; }
    std::size_t capacity() const { return capacity_; }

private:
    void work();
    // Waits for the worker to end and raises its failure, if any.
    void finish();
    void rethrow_failure();

    std::size_t capacity_ = 2;
    bool asynchronous_ = false;
    std::thread worker_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<FramePtr> queue_;
    bool stopping_ = false;
    bool done_ = false;
    std::exception_ptr failure_;
    bool failure_raised_ = false;
};

}  // namespace cmpnt
