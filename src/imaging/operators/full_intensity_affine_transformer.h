#pragma once
#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

#include "config/schema.h"
#include "imaging/operators/image_shapes.h"
#include "imaging/operators/pixel_conversion.h"
#include "imaging/type_words.h"
#include "numerics/linear_interpolant.h"
#include "xml/querier.h"

namespace ipc {

// Stretches each image over the configured output range: the darkest pixel
// becomes "minimum", the brightest "maximum", the rest follow the line
// through those two points. A constant image becomes the midpoint
// (minimum + maximum) / 2 truncated. Results are truncated toward zero and
// clamped to the output pixel type.
struct FullIntensityAffineTransformerParameters {
    double minimum = 0;
    double maximum = 255;
};
const config::Schema<FullIntensityAffineTransformerParameters>& full_intensity_affine_transformer_schema();

template <class In, class Out>
class FullIntensityAffineTransformer {
public:
    using Input = In;
    using Output = Out;
    using InPixel = typename In::value_type;
    using OutPixel = typename Out::value_type;

    using Parameters = FullIntensityAffineTransformerParameters;
    static const config::Schema<Parameters>& schema() { return full_intensity_affine_transformer_schema(); }

    explicit FullIntensityAffineTransformer(const Parameters& parameters)
        : minimum_(schema().validate(parameters).minimum), maximum_(parameters.maximum) {}
    explicit FullIntensityAffineTransformer(const xml::Querier& element)
        : FullIntensityAffineTransformer(schema().bind(element)) {}

    static std::string word() {
        return type_word<In>() + "_to_" + type_word<Out>() + "_full_intensity_affine_transformer";
    }

    util::CountedPtr<Out> apply(const util::CountedPtr<In>& input) const {
        const In& in = *input;
        util::CountedPtr<Out> out = image_like<Out>(in);

        // Range over the ordered (finite) values; NaN and infinities of a
        // float image are mapped through the line and clamped like the rest.
        double darkest = std::numeric_limits<double>::infinity();
        double brightest = -darkest;
        for (InPixel pixel : in) {
            const double v = static_cast<double>(pixel);
            if constexpr (std::is_floating_point_v<InPixel>)
                if (!std::isfinite(v)) continue;
            if (v < darkest) darkest = v;
            if (v > brightest) brightest = v;
        }

        if (!(darkest < brightest)) {  // constant (or nothing ordered)
            out->fill(to_pixel<OutPixel>(std::trunc((minimum_ + maximum_) / 2)));
            return out;
        }
        // slope = (maximum - minimum) / (M - m), intercept = minimum - m slope
        const nmrc::interpolant::Linear line(darkest, minimum_, brightest, maximum_);
        const double slope = line.slope();
        const double intercept = line.intercept();
        transform_pixels(in, *out, [slope, intercept](InPixel v) {
            return to_pixel<OutPixel>(intercept + static_cast<double>(v) * slope);
        });
        return out;
    }

private:
    double minimum_;
    double maximum_;
};

}  // namespace ipc
