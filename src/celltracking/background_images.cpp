#include "celltracking/background_images.h"

#include <filesystem>
#include <utility>

#include "celltracking/overlay_picture.h"
#include "imaging/decoded_image_shelf.h"
#include "imaging/tiff_readers.h"

namespace isbi {

namespace {

ipc::Image<unsigned short> read_background(const std::string& file, bool stack) {
    if (stack) return project_brightest(ipc::read_short_image_3d_tiff(file));
    if (auto decoded = ipc::DecodedImageShelf::shared().take(file)) return std::move(*decoded);
    return ipc::read_short_image_tiff(file);
}

}  // namespace

BackgroundImages::BackgroundImages(std::deque<std::string> files, bool read_ahead)
    : files_(std::move(files)), read_ahead_(read_ahead) {
    if (!files_.empty()) {
        folder_ = std::filesystem::path(files_.front()).parent_path().string();
        ipc::DecodedImageShelf::shared().watch(folder_);
    }
}

BackgroundImages::~BackgroundImages() {
    // A read still running uses its own copies of the file name and flag;
    // wait for it and drop what it read (or the error it met).
    if (pending_.valid()) pending_.wait();
    if (!folder_.empty()) ipc::DecodedImageShelf::shared().unwatch(folder_);
}

void BackgroundImages::start_next(bool stack) {
    if (!read_ahead_ || files_.empty()) return;
    pending_file_ = files_.front();
    files_.pop_front();
    pending_stack_ = stack;
    pending_ = reader_.run([file = pending_file_, stack] { return read_background(file, stack); });
}

ipc::Image<unsigned short> BackgroundImages::next(bool stack) {
    std::string file;
    if (pending_.valid()) {
        // Read ahead as the previous frame was read; a frame of the other
        // kind (a result that switched between 2-D and 3-D) reads it again.
        if (pending_stack_ == stack) {
            ipc::Image<unsigned short> image = pending_.get();
            start_next(stack);
            return image;
        }
        pending_.wait();
        pending_ = {};
        file = pending_file_;
    } else {
        file = files_.front();
        files_.pop_front();
    }
    ipc::Image<unsigned short> image = read_background(file, stack);
    start_next(stack);
    return image;
}

}  // namespace isbi
