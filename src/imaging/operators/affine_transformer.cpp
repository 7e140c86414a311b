#include "imaging/operators/affine_transformer.h"

#include "imaging/parameter_checks.h"

namespace ipc {

const config::Schema<AffineTransformerParameters>& affine_transformer_schema() {
    using P = AffineTransformerParameters;
    static const auto schema =
        config::Schema<P>("affine_transformer",
                          "maps every pixel value v through the line through (x0, y0) and (x1, y1)")
            .required(&P::x0, "x0", "an input value on the line", finite_number())
            .required(&P::y0, "y0", "the output value of x0", finite_number())
            .required(&P::x1, "x1", "another input value on the line (not x0)", finite_number())
            .required(&P::y1, "y1", "the output value of x1", finite_number());
    return schema;
}

}  // namespace ipc
