#pragma once
#include <deque>
#include <future>
#include <string>

#include "imaging/image.h"
#include "util/worker_thread.h"

namespace isbi {

// The background pictures of the overlay writer: the TIFF files of a folder
// in name order, one per frame (a stack is shown by its brightest voxel along
// z). With `read_ahead`, the file of the next frame is read on a second
// thread while the caller draws the current one, so decoding the source image
// (often LZW-compressed) costs no time on the drawing thread. The images and
// their order do not depend on it. While it lives, the folder of the files is
// watched on the shared ipc::DecodedImageShelf: a 2-D image the run's reader
// has decoded already is taken from there instead of being read again.
class BackgroundImages {
public:
    BackgroundImages(std::deque<std::string> files, bool read_ahead);
    ~BackgroundImages();
    BackgroundImages(const BackgroundImages&) = delete;
    BackgroundImages& operator=(const BackgroundImages&) = delete;

    bool empty() const { return files_.empty() && !pending_.valid(); }

    // The next frame's image, read as a stack when `stack`; a failed read
    // throws here, for the frame it belongs to. Precondition: !empty().
    ipc::Image<unsigned short> next(bool stack);

private:
    void start_next(bool stack);

    std::deque<std::string> files_;  // not yet started, in frame order
    std::string folder_;             // watched on the shelf; empty: none
    bool read_ahead_;
    // The next frame's image being read, its file and how it is read.
    std::future<ipc::Image<unsigned short>> pending_;
    std::string pending_file_;
    bool pending_stack_ = false;
    util::WorkerThread reader_;  // the second thread, one for the whole run
};

}  // namespace isbi
