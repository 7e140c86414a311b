#pragma once
#include <functional>
#include <future>

#include "util/worker_thread.h"

namespace isbi {

// Runs the writing of result files (masks, overlay pictures), with
// `concurrent` on a thread of its own (one for the whole run): the next
// frame is worked on while the last one's file is compressed and written.
// At most one write waits; a
// failure is reported (thrown) by the next write or by finish(), with the
// write's own message (which names the file).
class FileWriteQueue {
public:
    explicit FileWriteQueue(bool concurrent) : concurrent_(concurrent) {}
    FileWriteQueue(const FileWriteQueue&) = delete;
    FileWriteQueue& operator=(const FileWriteQueue&) = delete;
    // Waits for a write still running, silently: it already failed or
    // succeeded where nobody asks any more.
    ~FileWriteQueue();

    // Waits for the write before (rethrowing its failure), then runs this
    // one, in the background when concurrent. The job must own (or share)
    // everything it reads.
    void write(std::function<void()> job);
    // Waits for the last write; rethrows its failure.
    void finish();

private:
    bool concurrent_;
    std::future<void> pending_;
    util::WorkerThread worker_;
};

}  // namespace isbi
