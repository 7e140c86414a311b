#include "imaging/decoded_image_shelf.h"

#include <system_error>

namespace ipc {

namespace fs = std::filesystem;

namespace {

// The canonical form of a folder's name, or "" when it cannot be resolved.
std::string canonical_folder(const std::string& folder) {
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(fs::path(folder), error);
    return error ? std::string() : resolved.string();
}

}  // namespace

DecodedImageShelf& DecodedImageShelf::shared() {
    static DecodedImageShelf shelf;
    return shelf;
}

bool DecodedImageShelf::examine(const std::string& file, std::string& key, Stamp& stamp) {
    std::error_code error;
    const fs::path resolved = fs::weakly_canonical(fs::path(file), error);
    if (error) return false;
    stamp.bytes = fs::file_size(resolved, error);
    if (error) return false;
    stamp.written = fs::last_write_time(resolved, error);
    if (error) return false;
    key = resolved.string();
    return true;
}

void DecodedImageShelf::watch(const std::string& folder) {
    const std::string key = canonical_folder(folder);
    if (key.empty()) return;
    const std::lock_guard<std::mutex> lock(mutex_);
    ++watched_[key];
}

void DecodedImageShelf::unwatch(const std::string& folder) {
    const std::string key = canonical_folder(folder);
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = watched_.find(key);
    if (found == watched_.end() || --found->second > 0) return;
    watched_.erase(found);
    for (auto entry = entries_.begin(); entry != entries_.end();) {
        if (fs::path(entry->first).parent_path().string() == key) {
            bytes_ -= entry->second.image->size() * sizeof(unsigned short);
            entry = entries_.erase(entry);
        }
        else
            ++entry;
    }
}

bool DecodedImageShelf::watching() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return !watched_.empty();
}

void DecodedImageShelf::keep(const std::string& key, const Stamp& stamp,
                             std::shared_ptr<Image<unsigned short>> image) {
    const std::size_t bytes = image->size() * sizeof(unsigned short);
    const std::string folder = fs::path(key).parent_path().string();
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!watched_.count(folder) || bytes_ + bytes > capacity_ || entries_.count(key)) return;
    entries_[key] = Entry{std::move(image), stamp};
    bytes_ += bytes;
}

void DecodedImageShelf::offer(const std::string& file, const Image<unsigned short>& image) {
    // Most runs watch nothing: no file system call for them.
    if (!watching()) return;
    std::string key;
    Stamp stamp;
    if (!examine(file, key, stamp)) return;
    keep(key, stamp, std::make_shared<Image<unsigned short>>(image));  // copied outside the lock
}

std::shared_ptr<Image<unsigned short>> DecodedImageShelf::share(const std::string& file,
                                                                Image<unsigned short> image) {
    std::string key;
    Stamp stamp;
    // The stamp is the file's as it was read, not as it is at the release.
    if (!watching() || !examine(file, key, stamp)) return std::make_shared<Image<unsigned short>>(std::move(image));
    const auto hand_over = [this, key, stamp](Image<unsigned short>* released) {
        std::unique_ptr<Image<unsigned short>> owned(released);
        try {
            keep(key, stamp, std::make_shared<Image<unsigned short>>(std::move(*owned)));
        } catch (...) {
            // Out of memory for the entry: the overlay reads the file instead.
        }
    };
    return std::shared_ptr<Image<unsigned short>>(new Image<unsigned short>(std::move(image)), hand_over);
}

std::shared_ptr<Image<unsigned short>> DecodedImageShelf::take(const std::string& file) {
    std::string key;
    Stamp stamp;
    if (!examine(file, key, stamp)) return nullptr;
    const std::lock_guard<std::mutex> lock(mutex_);
    const auto found = entries_.find(key);
    if (found == entries_.end()) return nullptr;
    Entry entry = std::move(found->second);
    entries_.erase(found);
    bytes_ -= entry.image->size() * sizeof(unsigned short);
    return entry.stamp == stamp ? entry.image : nullptr;
}

std::size_t DecodedImageShelf::size() const {
    const std::lock_guard<std::mutex> lock(mutex_);
    return entries_.size();
}

}  // namespace ipc
