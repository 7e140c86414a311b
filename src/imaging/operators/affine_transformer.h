#pragma once
#include <string>

#include "config/schema.h"
#include "imaging/operators/image_shapes.h"
#include "imaging/operators/pixel_conversion.h"
#include "imaging/type_words.h"
#include "numerics/linear_interpolant.h"
#include "xml/querier.h"

namespace ipc {

// Maps every pixel through the fixed line through ("x0", "y0") and
// ("x1", "y1"); results are truncated toward zero and clamped to the output
// pixel type. Equal abscissas fail with
// "attempt to divide by zero in interpolant::Linear".
struct AffineTransformerParameters {
    double x0 = 0;
    double y0 = 0;
    double x1 = 1;
    double y1 = 1;
};
const config::Schema<AffineTransformerParameters>& affine_transformer_schema();

template <class In, class Out>
class AffineTransformer {
public:
    using Input = In;
    using Output = Out;
    using InPixel = typename In::value_type;
    using OutPixel = typename Out::value_type;

    using Parameters = AffineTransformerParameters;
    static const config::Schema<Parameters>& schema() { return affine_transformer_schema(); }

    explicit AffineTransformer(const Parameters& parameters) : line_(line_through(schema().validate(parameters))) {}
    explicit AffineTransformer(const xml::Querier& element) : AffineTransformer(schema().bind(element)) {}

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
    static nmrc::interpolant::Linear line_through(const Parameters& p) {
        return nmrc::interpolant::Linear(p.x0, p.y0, p.x1, p.y1);
    }

    nmrc::interpolant::Linear line_;
};

}  // namespace ipc
