#pragma once
#include "imaging/operators/window_convolver.h"

namespace ipc {

// Each output pixel is the mean of the input pixels under the mask, rounded
// half away from zero and clamped to the output type; a window that covers
// no pixel gives 0.
struct MeanOfWindow {
    static constexpr const char* key_suffix = "_mean_convolver";
    static constexpr const char* meaning = "replaces each pixel by the mean of the pixels under the mask";
    template <class OutPixel, class Sum, class Count>
    static OutPixel pixel(const Sum& sum, Count count) {
        return to_pixel<OutPixel>(rounded_mean(sum, count));  // round(sum / count)
    }
};

template <class In, class Out>
using MeanConvolver = WindowConvolver<In, Out, MeanOfWindow>;

}  // namespace ipc
