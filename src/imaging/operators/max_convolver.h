#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "imaging/operators/convolver_parameters.h"
#include "imaging/type_words.h"
#include "xml/querier.h"

namespace ipc {

// Grey-level dilation: each output pixel is the largest input value under
// the mask centred on it, over the offsets inside the image, starting from
// 0 (a window that covers no pixel gives 0). Rows in order, pixels left to
// right. The mask is the element's only child, built by the mask factory.
template <class I>
class MaxConvolver {
public:
    using Input = I;
    using Output = I;
    using Pixel = typename I::value_type;

    using Parameters = ConvolverParameters;
    static const config::Schema<Parameters>& schema() {
        return convolver_schema("max_convolver", "replaces each pixel by the largest pixel under the mask");
    }

    explicit MaxConvolver(const Parameters& parameters) : mask_(schema().validate(parameters).mask) {}
    explicit MaxConvolver(const xml::Querier& element) : MaxConvolver(schema().bind(element)) {}

    static std::string word() { return type_word<I>() + "_max_convolver"; }

    util::CountedPtr<I> apply(const util::CountedPtr<I>& input) {
        const I& in = *input;
        const int width = in.width();
        const int height = in.height();
        util::CountedPtr<I> out = std::make_shared<I>(width, height);
        Mask& mask = *mask_;

        // Where the whole bounding box lies inside the image the offsets are
        // plain steps through the pixel array and need no bounds tests.
        jumps_.clear();
        for (const MaskOffset& o : mask.offsets())
            jumps_.push_back(static_cast<std::ptrdiff_t>(o.dx) + static_cast<std::ptrdiff_t>(o.dy) * width);
        const int first_x = -mask.min_dx(), last_x = width - 1 - mask.max_dx();
        const int first_y = -mask.min_dy(), last_y = height - 1 - mask.max_dy();

        for (int y = 0; y < height; ++y) {
            const bool inner_row = y >= first_y && y <= last_y;
            for (int x = 0; x < width; ++x) {
                mask.move_to(x, y);
                Pixel largest = 0;
                if (inner_row && x >= first_x && x <= last_x) {
                    const Pixel* centre = in.data() + in.index(x, y);
                    for (std::ptrdiff_t jump : jumps_)
                        if (centre[jump] > largest) largest = centre[jump];
                } else {
                    for (const MaskOffset& o : mask.offsets()) {
                        const int px = x + o.dx, py = y + o.dy;
                        if (px < 0 || px >= width || py < 0 || py >= height) continue;
                        if (in(px, py) > largest) largest = in(px, py);
                    }
                }
                (*out)(x, y) = largest;
            }
        }
        return out;
    }

    const Mask& mask() const { return *mask_; }

private:
    util::CountedPtr<Mask> mask_;
    std::vector<std::ptrdiff_t> jumps_;  // offsets as array steps for the current width
};

}  // namespace ipc
