#pragma once
#include <string>

#include "imaging/operators/image_shapes.h"
#include "imaging/operators/operator_parameters.h"
#include "imaging/operators/pixel_conversion.h"
#include "imaging/type_words.h"
#include "numerics/linear_interpolant.h"
#include "xml/querier.h"

namespace ipc {

// Maps every pixel through the fixed line through ("x0", "y0") and
// ("x1", "y1"); results are truncated toward zero and clamped to the output
// pixel type. Equal abscissas fail with
// "attempt to divide by zero in interpolant::Linear".
template <class In, class Out>
class AffineTransformer {
public:
    using Input = In;
    using Output = Out;
    using InPixel = typename In::value_type;
    using OutPixel = typename Out::value_type;

    explicit AffineTransformer(const xml::Querier& element) : line_(read_line(element)) {}

    static std::string word() { return type_word<In>() + "_to_" + type_word<Out>() + "_affine_transformer"; }

    util::CountedPtr<Out> apply(const util::CountedPtr<In>& input) const {
        util::CountedPtr<Out> out = image_like<Out>(*input);
        const double slope = line_.slope();
        const double intercept = line_.intercept();
        transform_pixels(*input, *out, [slope, intercept](InPixel v) {
            return to_pixel<OutPixel>(intercept + static_cast<double>(v) * slope);  // y = intercept + v slope
        });
        return out;
    }

private:
    static nmrc::interpolant::Linear read_line(const xml::Querier& element) {
        const double x0 = read_finite(element, "x0");
        const double y0 = read_finite(element, "y0");
        const double x1 = read_finite(element, "x1");
        const double y1 = read_finite(element, "y1");
        return nmrc::interpolant::Linear(x0, y0, x1, y1);
    }

    nmrc::interpolant::Linear line_;
};

}  // namespace ipc
