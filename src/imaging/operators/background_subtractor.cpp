#include "imaging/operators/background_subtractor.h"

#include "imaging/parameter_checks.h"

namespace ipc {

const config::Schema<BackgroundSubtractorParameters>& background_subtractor_schema() {
    using P = BackgroundSubtractorParameters;
    static const auto schema =
        config::Schema<P>("background_subtractor",
                          "subtracts a smooth background, estimated between the nuclei, to correct uneven "
                          "illumination")
            .required(&P::scale, "scale",
                      "the side of the squares the background is measured on, in pixels: a few nucleus diameters, "
                      "smaller than the patches of the illumination",
                      integer_in_range(4, 65535));
    return schema;
}

}  // namespace ipc
