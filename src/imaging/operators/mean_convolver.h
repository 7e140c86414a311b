#pragma once
#include <string>

#include "imaging/operators/mask_factory.h"
#include "imaging/operators/pixel_conversion.h"
#include "imaging/operators/window_sums.h"
#include "imaging/type_words.h"
#include "xml/querier.h"

namespace ipc {

// Each output pixel is the mean of the input pixels under the mask centred
// on it (offsets outside the image are left out), rounded half away from
// zero and clamped to the output type; a window that covers no pixel gives 0.
// The mask is the element's only child, built by the mask factory.
template <class In, class Out>
class MeanConvolver {
public:
    using Input = In;
    using Output = Out;
    using InPixel = typename In::value_type;
    using OutPixel = typename Out::value_type;

    explicit MeanConvolver(const xml::Querier& element)
        : mask_(mask_from_only_child(element)), steps_(steps_to_the_right(mask_->offsets())) {}

    static std::string word() { return type_word<In>() + "_to_" + type_word<Out>() + "_mean_convolver"; }

    util::CountedPtr<Out> apply(const util::CountedPtr<In>& input) {
        util::CountedPtr<Out> out = std::make_shared<Out>(input->width(), input->height());
        Out& result = *out;
        sweep_window_sums<WindowSumType<InPixel>>(*input, *mask_, steps_, [&result](int x, int y, const auto& window) {
            result(x, y) = to_pixel<OutPixel>(rounded_mean(window.sum, window.count));  // round(sum / count)
        });
        return out;
    }

    const Mask& mask() const { return *mask_; }

private:
    util::CountedPtr<Mask> mask_;
    WindowSteps<MaskOffset> steps_;
};

}  // namespace ipc
