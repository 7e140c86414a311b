#include "imaging/operators/full_intensity_affine_transformer.h"

#include "imaging/parameter_checks.h"

namespace ipc {

const config::Schema<FullIntensityAffineTransformerParameters>& full_intensity_affine_transformer_schema() {
    using P = FullIntensityAffineTransformerParameters;
    static const auto schema =
        config::Schema<P>("full_intensity_affine_transformer",
                          "stretches each image so that its darkest pixel becomes minimum and its brightest maximum")
            .required(&P::minimum, "minimum", "the output value of the darkest pixel", finite_number())
            .required(&P::maximum, "maximum", "the output value of the brightest pixel", finite_number());
    return schema;
}

}  // namespace ipc
