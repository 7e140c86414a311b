#pragma once
#include <algorithm>
#include <cstddef>
#include <memory>
#include <string>

#include "util/exception.h"

namespace ipc {

// A 2-D image stored row-major: pixel (x, y) is element x + y * width.
// The pixel array is a plain contiguous buffer (also for bool, so that every
// pixel type can be addressed through a pointer). Copies are deep; frames
// share images through CountedPtr instead of copying them.
template <class T>
class Image {
public:
    using value_type = T;

    Image() = default;
    Image(int width, int height) { resize(width, height); }
    Image(int width, int height, T value) {
        resize(width, height);
        fill(value);
    }
    Image(const Image& other) { *this = other; }
    Image(Image&&) noexcept = default;
    Image& operator=(const Image& other) {
        if (this != &other) {
            resize_for_overwrite(other.width_, other.height_);
            std::copy(other.begin(), other.end(), begin());
        }
        return *this;
    }
    Image& operator=(Image&&) noexcept = default;
    virtual ~Image() = default;

    // Sets the size; the array is reallocated (and zeroed) only when the
    // element count changes, otherwise the old contents stay.
    void resize(int width, int height) { reshape(width, height, true); }
    // As resize, but a new array is left unzeroed: for callers that write
    // every element (zeroing megabytes they overwrite costs as much as a
    // light image operator).
    void resize_for_overwrite(int width, int height) { reshape(width, height, false); }

    int width() const { return width_; }
    int height() const { return height_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    bool same_size(int width, int height) const { return width == width_ && height == height_; }
    template <class Other>
    bool same_size(const Other& other) const {
        return same_size(other.width(), other.height());
    }

    T& operator()(int x, int y) { return pixels_[index(x, y)]; }
    const T& operator()(int x, int y) const { return pixels_[index(x, y)]; }
    T& operator[](std::size_t i) { return pixels_[i]; }
    const T& operator[](std::size_t i) const { return pixels_[i]; }

    T* data() { return pixels_.get(); }
    const T* data() const { return pixels_.get(); }
    T* row(int y) { return data() + static_cast<std::size_t>(y) * width_; }
    const T* row(int y) const { return data() + static_cast<std::size_t>(y) * width_; }
    T* begin() { return data(); }
    T* end() { return data() + size_; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size_; }

    void fill(T value) { std::fill(begin(), end(), value); }

    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(x) + static_cast<std::size_t>(y) * width_;
    }

private:
    void reshape(int width, int height, bool zeroed) {
        if (width < 0 || height < 0)
            throw util::Exception("negative image size: width = " + std::to_string(width) +
                                  ", height = " + std::to_string(height));
        const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        if (count != size_) {
            if (!count)
                pixels_.reset();
            else
                pixels_.reset(zeroed ? new T[count]() : new T[count]);
            size_ = count;
        }
        width_ = width;
        height_ = height;
    }

    int width_ = 0;
    int height_ = 0;
    std::size_t size_ = 0;
    std::unique_ptr<T[]> pixels_;
};

template <class T>
bool operator==(const Image<T>& a, const Image<T>& b) {
    return a.width() == b.width() && a.height() == b.height() &&
           std::equal(a.begin(), a.end(), b.begin());
}
template <class T>
bool operator!=(const Image<T>& a, const Image<T>& b) {
    return !(a == b);
}

}  // namespace ipc
