#pragma once
#include <future>
#include <string>

#include "celltracking/png_file.h"

namespace isbi {

// Writes overlay pictures to PNG files, with `concurrent` on a thread of its
// own: the next frame is drawn while the last one is compressed and written.
// At most one picture waits; a failure to write it is reported (thrown) by
// the next write or by finish(), naming the file.
class PictureFileQueue {
public:
    explicit PictureFileQueue(bool concurrent) : concurrent_(concurrent) {}
    PictureFileQueue(const PictureFileQueue&) = delete;
    PictureFileQueue& operator=(const PictureFileQueue&) = delete;
    // Waits for a picture still being written, silently: it already failed
    // or succeeded where nobody asks any more.
    ~PictureFileQueue();

    // Waits for the picture before (rethrowing its failure), then writes this
    // one, in the background when concurrent.
    void write(std::string name, IndexedPicture picture, const Palette& palette);
    // Waits for the last picture; rethrows its failure.
    void finish();

private:
    bool concurrent_;
    std::future<void> pending_;
};

}  // namespace isbi
