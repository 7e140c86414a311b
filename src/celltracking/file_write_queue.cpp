#include "celltracking/file_write_queue.h"

#include <utility>

namespace isbi {

FileWriteQueue::~FileWriteQueue() {
    if (pending_.valid()) pending_.wait();
}

void FileWriteQueue::write(std::function<void()> job) {
    finish();
    if (!concurrent_) {
        job();
        return;
    }
    pending_ = worker_.run(std::move(job));
}

void FileWriteQueue::finish() {
    if (!pending_.valid()) return;
    std::future<void> done = std::move(pending_);
    done.get();
}

}  // namespace isbi
