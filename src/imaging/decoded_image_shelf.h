#pragma once
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "imaging/image.h"

namespace ipc {

// Decoded 16-bit images that a run reads twice: the image reader decodes
// each frame's file for segmentation, and the overlay writer, several
// frames later, decodes the same file again as the picture's background.
// Decoding a compressed megapixel frame costs about as much as the whole
// segmentation chain, so the reader leaves the image here (once the frames
// are done with it) when a later stage has said it will want the files of
// that folder, and that stage takes it instead of reading the file.
//
// Only files of watched folders are kept, at most `capacity_bytes` of pixels
// at a time (offers beyond it are dropped, and the taker reads the file as
// before). An image is handed out once, and only while its file still has
// the size and modification time it had when it was read. Safe to use from
// several threads.
class DecodedImageShelf {
public:
    // A dozen frames of a megapixel.
    static constexpr std::size_t kDefaultCapacityBytes = 24u << 20;

    explicit DecodedImageShelf(std::size_t capacity_bytes = kDefaultCapacityBytes) : capacity_(capacity_bytes) {}

    // The shelf shared by the stages of a run.
    static DecodedImageShelf& shared();

    // Starts or stops keeping the images of the files in `folder`; calls
    // nest (a folder stays watched until every watch has ended). The last
    // unwatch drops the folder's images.
    void watch(const std::string& folder);
    void unwatch(const std::string& folder);

    // Keeps a copy of `image`, just read from `file`, if its folder is
    // watched and there is room.
    void offer(const std::string& file, const Image<unsigned short>& image);
    // `image`, just read from `file`, shared for the run's frames. When the
    // folder is watched, the last holder's release moves the pixels onto
    // the shelf (if there is still room and a watch) instead of freeing
    // them: no copy is made on the reading thread. This relies on the
    // stages reading the images they are given and writing their results to
    // images of their own, as every image operator does. The shelf must
    // outlive the pointer.
    std::shared_ptr<Image<unsigned short>> share(const std::string& file, Image<unsigned short> image);
    // The image offered for `file`, which leaves the shelf (the caller holds
    // the only reference, so it may move the pixels out); null when there is
    // none or the file has changed since.
    std::shared_ptr<Image<unsigned short>> take(const std::string& file);

    std::size_t size() const;

private:
    struct Stamp {
        std::uintmax_t bytes = 0;
        std::filesystem::file_time_type written;
        bool operator==(const Stamp& other) const { return bytes == other.bytes && written == other.written; }
    };
    struct Entry {
        std::shared_ptr<Image<unsigned short>> image;
        Stamp stamp;
    };
    // The file's canonical name and its stamp; false when it cannot be
    // examined.
    static bool examine(const std::string& file, std::string& key, Stamp& stamp);
    bool watching() const;
    // Files `image` under `key` if its folder is watched and it fits.
    void keep(const std::string& key, const Stamp& stamp, std::shared_ptr<Image<unsigned short>> image);

    const std::size_t capacity_;
    std::size_t bytes_ = 0;  // of the images on the shelf
    mutable std::mutex mutex_;
    std::map<std::string, int> watched_;  // canonical folder -> number of watches
    std::map<std::string, Entry> entries_;  // canonical file name -> image
};

}  // namespace ipc
