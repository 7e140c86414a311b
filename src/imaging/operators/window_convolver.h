#pragma once
#include <string>

#include "imaging/operators/convolver_parameters.h"
#include "imaging/operators/pixel_conversion.h"
#include "imaging/operators/window_sums.h"
#include "imaging/type_words.h"
#include "xml/querier.h"

namespace ipc {

// Slides the mask over the image and gives each output pixel a value made
// from the running sum of the input pixels under the mask centred on it
// (offsets outside the image are left out). `Reduction` turns the window's
// sum and count into the output pixel and names the key
// (`Reduction::key_suffix`). The mask is the element's only child, built by
// the mask factory (see convolver_schema).
template <class In, class Out, class Reduction>
class WindowConvolver {
public:
    using Input = In;
    using Output = Out;
    using InPixel = typename In::value_type;
    using OutPixel = typename Out::value_type;

    static const config::Schema<ConvolverParameters>& schema() {
        return convolver_schema(Reduction::key_suffix + 1, Reduction::meaning);  // the suffix without its "_"
    }

    explicit WindowConvolver(const ConvolverParameters& parameters)
        : mask_(schema().validate(parameters).mask), steps_(steps_to_the_right(mask_->offsets())) {}
    explicit WindowConvolver(const xml::Querier& element) : WindowConvolver(schema().bind(element)) {}

    static std::string word() { return type_word<In>() + "_to_" + type_word<Out>() + Reduction::key_suffix; }

    util::CountedPtr<Out> apply(const util::CountedPtr<In>& input) {
        util::CountedPtr<Out> out = std::make_shared<Out>(input->width(), input->height());
        Out& result = *out;
        sweep_window_sums<WindowSumType<InPixel>>(*input, *mask_, steps_, [&result](int x, int y, const auto& window) {
            result(x, y) = Reduction::template pixel<OutPixel>(window.sum, window.count);
        });
        return out;
    }

    const Mask& mask() const { return *mask_; }

private:
    util::CountedPtr<Mask> mask_;
    WindowSteps<MaskOffset> steps_;
};

}  // namespace ipc
