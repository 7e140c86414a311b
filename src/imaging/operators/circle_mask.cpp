#include "imaging/operators/circle_mask.h"

#include "imaging/parameter_checks.h"

namespace ipc {

const config::Schema<CircleMask::Parameters>& CircleMask::schema() {
    // A negative radius would leave the mask empty.
    static const auto schema =
        config::Schema<Parameters>(key(), "the filled disc of offsets within a radius of the centre")
            .required(&Parameters::radius, "radius", "in pixels; 1 gives a cross of five, 1.5 the 3 x 3 square",
                      real_in_range(0, kLargestMaskRadius));
    return schema;
}

CircleMask::CircleMask(const Parameters& parameters) {
    const double r = schema().validate(parameters).radius;
    const int reach = static_cast<int>(r);  // R = r truncated
    std::vector<MaskOffset> offsets;
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy) {
            const double squared = double(dx) * dx + double(dy) * dy;
            if (squared <= r * r) offsets.push_back({dx, dy});  // dx² + dy² <= r²
        }
    set_offsets(std::move(offsets), key() + " with radius = " + config::quote(r));
}

}  // namespace ipc
