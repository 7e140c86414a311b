#pragma once
#include <cmath>
#include <type_traits>

#include "imaging/image.h"
#include "imaging/operators/mask.h"
#include "imaging/operators/window_steps.h"

namespace ipc {

// Accumulator of window sums: integer pixels are summed exactly (a single
// precision sum would drift once it passes 2^24), real pixels in double.
template <class Pixel>
using WindowSumType = std::conditional_t<std::is_integral_v<Pixel>, long long, double>;

// Sum and number of the image pixels a window covers; only offsets that
// fall inside the image count.
template <class Sum>
struct WindowSum {
    Sum sum = 0;
    long long count = 0;
};

namespace detail {
// Adds (sign +1) or removes (sign -1) the in-image pixels at centre + offset.
template <class Sum, class T>
void accumulate(const Image<T>& image, const std::vector<MaskOffset>& offsets, int x, int y, int sign,
                WindowSum<Sum>& window) {
    const int width = image.width();
    const int height = image.height();
    for (const MaskOffset& o : offsets) {
        const int px = x + o.dx;
        const int py = y + o.dy;
        if (px < 0 || px >= width || py < 0 || py >= height) continue;
        if (sign > 0) {
            window.sum += static_cast<Sum>(image(px, py));
            ++window.count;
        } else {
            window.sum -= static_cast<Sum>(image(px, py));
            --window.count;
        }
    }
}
}  // namespace detail

// Visits every pixel row by row, left to right, and calls emit(x, y, window)
// with the window sum of the mask centred there. The sum at the first pixel
// of a row is computed in full; each step right then subtracts the leaving
// and adds the entering pixels, so a pixel costs |leaving| + |entering|
// rather than |mask|. The mask's centre follows the sweep.
template <class Sum, class T, class Emit>
void sweep_window_sums(const Image<T>& image, Mask& mask, const WindowSteps<MaskOffset>& steps, Emit&& emit) {
    const int width = image.width();
    if (width == 0) return;
    for (int y = 0; y < image.height(); ++y) {
        mask.move_to(0, y);
        WindowSum<Sum> window;
        detail::accumulate(image, mask.offsets(), 0, y, +1, window);
        emit(0, y, window);
        for (int x = 1; x < width; ++x) {
            detail::accumulate(image, steps.leaving, mask.x(), y, -1, window);
            mask.step_right();
            detail::accumulate(image, steps.entering, mask.x(), y, +1, window);
            if constexpr (std::is_floating_point_v<Sum>) {
                // inf - inf would leave NaN behind once an infinite pixel
                // has passed: sum such windows afresh.
                if (!std::isfinite(window.sum)) {
                    window = WindowSum<Sum>();
                    detail::accumulate(image, mask.offsets(), mask.x(), y, +1, window);
                }
            }
            emit(x, y, window);
        }
    }
}

}  // namespace ipc
