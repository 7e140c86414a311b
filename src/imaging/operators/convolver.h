#pragma once
#include "imaging/operators/window_convolver.h"

namespace ipc {

// Each output pixel is the sum (not the mean) of the input values under the
// mask, kept in double and stored in the output type (clamped to its range).
struct SumOfWindow {
    static constexpr const char* key_suffix = "_convolver";
    static constexpr const char* meaning = "replaces each pixel by the sum of the pixels under the mask";
    template <class OutPixel, class Sum, class Count>
    static OutPixel pixel(const Sum& sum, Count /*count*/) {
        return to_pixel<OutPixel>(sum);  // sum over the window
    }
};

template <class In, class Out>
using Convolver = WindowConvolver<In, Out, SumOfWindow>;

}  // namespace ipc
