#pragma once
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "imaging/imaging_test_support.h"
#include "imaging/operators/mask.h"

namespace operator_test {

using ipc_test::element;

// Random source for the property tests; OSTREL_SEED makes runs repeatable.
inline std::mt19937 random_source() {
    const char* seed = std::getenv("OSTREL_SEED");
    return std::mt19937(seed ? static_cast<unsigned>(std::atol(seed)) : 12345u);
}

template <class T>
ipc::Image<T> random_image(std::mt19937& random, int width, int height, int highest) {
    std::uniform_int_distribution<int> value(0, highest);
    ipc::Image<T> image(width, height);
    for (T& pixel : image) pixel = static_cast<T>(value(random));
    return image;
}

// The offsets of a mask as (dx, dy) pairs, for readable comparisons.
inline std::vector<std::pair<int, int>> pairs_of(const ipc::Mask& mask) {
    std::vector<std::pair<int, int>> pairs;
    for (const ipc::MaskOffset& o : mask.offsets()) pairs.emplace_back(o.dx, o.dy);
    return pairs;
}

// Straightforward window statistics over the in-image pixels at (x, y) + o,
// the references the incremental operators are checked against.
struct DirectWindow {
    double sum = 0;
    long long count = 0;
    double largest = 0;
};
template <class T>
DirectWindow direct_window(const ipc::Image<T>& image, const ipc::Mask& mask, int x, int y) {
    DirectWindow window;
    for (const ipc::MaskOffset& o : mask.offsets()) {
        const int px = x + o.dx, py = y + o.dy;
        if (px < 0 || py < 0 || px >= image.width() || py >= image.height()) continue;
        window.sum += image(px, py);
        ++window.count;
        if (image(px, py) > window.largest) window.largest = image(px, py);
    }
    return window;
}

}  // namespace operator_test
