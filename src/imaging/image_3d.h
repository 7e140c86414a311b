#pragma once
#include <string>
#include <vector>

#include "imaging/image.h"

namespace ipc {

// A 3-D image: depth slices of width x height, each a row-major Image.
// Voxel (x, y, z) is pixel (x, y) of slice z.
template <class T>
class Image3d {
public:
    using value_type = T;
    using Slice = Image<T>;

    Image3d() = default;
    Image3d(int width, int height, int depth) { resize(width, height, depth); }
    virtual ~Image3d() = default;
    Image3d(const Image3d&) = default;
    Image3d(Image3d&&) noexcept = default;
    Image3d& operator=(const Image3d&) = default;
    Image3d& operator=(Image3d&&) noexcept = default;

    void resize(int width, int height, int depth) {
        if (width < 0 || height < 0 || depth < 0)
            throw util::Exception("negative image size: width = " + std::to_string(width) +
                                  ", height = " + std::to_string(height) +
                                  ", depth = " + std::to_string(depth));
        slices_.resize(static_cast<std::size_t>(depth));
        for (Slice& slice : slices_) slice.resize(width, height);
        width_ = width;
        height_ = height;
    }

    int width() const { return width_; }
    int height() const { return height_; }
    int depth() const { return static_cast<int>(slices_.size()); }
    std::size_t size() const {
        return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * slices_.size();
    }
    template <class Other>
    bool same_size(const Other& other) const {
        return width_ == other.width() && height_ == other.height() && depth() == other.depth();
    }

    Slice& slice(int z) { return slices_[static_cast<std::size_t>(z)]; }
    const Slice& slice(int z) const { return slices_[static_cast<std::size_t>(z)]; }
    std::vector<Slice>& slices() { return slices_; }
    const std::vector<Slice>& slices() const { return slices_; }

    T& operator()(int x, int y, int z) { return slice(z)(x, y); }
    const T& operator()(int x, int y, int z) const { return slice(z)(x, y); }

    void fill(T value) {
        for (Slice& slice : slices_) slice.fill(value);
    }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Slice> slices_;
};

template <class T>
bool operator==(const Image3d<T>& a, const Image3d<T>& b) {
    return a.width() == b.width() && a.height() == b.height() && a.slices() == b.slices();
}

}  // namespace ipc
