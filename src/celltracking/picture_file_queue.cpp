#include "celltracking/picture_file_queue.h"

#include <utility>

namespace isbi {

PictureFileQueue::~PictureFileQueue() {
    if (pending_.valid()) pending_.wait();
}

void PictureFileQueue::write(std::string name, IndexedPicture picture, const Palette& palette) {
    finish();
    if (!concurrent_) {
        write_indexed_png(name, picture, palette);
        return;
    }
    // The palette is copied too (768 bytes): the caller's may not outlive the write.
    pending_ = std::async(std::launch::async, [name = std::move(name), picture = std::move(picture), palette] {
        write_indexed_png(name, picture, palette);
    });
}

void PictureFileQueue::finish() {
    if (!pending_.valid()) return;
    std::future<void> done = std::move(pending_);
    done.get();
}

}  // namespace isbi
