#include "imaging/operators/disk_mask.h"

#include "imaging/parameter_checks.h"

namespace ipc {

const config::Schema<DiskMask::Parameters>& DiskMask::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), "the ring of offsets further than inner_radius from the centre and at most "
                                 "outer_radius")
            .required(&P::inner_radius, "inner_radius", "in pixels; offsets at this distance or nearer are left out",
                      real_in_range(0, kLargestMaskRadius))
            .required(&P::outer_radius, "outer_radius", "in pixels; offsets further away are left out",
                      real_in_range(0, kLargestMaskRadius));
    return schema;
}

DiskMask::DiskMask(const Parameters& parameters) {
    const double a = schema().validate(parameters).inner_radius;
    const double b = parameters.outer_radius;
    const int reach = static_cast<int>(b);  // B = b truncated
    std::vector<MaskOffset> offsets;
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy) {
            const double squared = double(dx) * dx + double(dy) * dy;
            if (a * a < squared && squared <= b * b) offsets.push_back({dx, dy});  // a² < dx² + dy² <= b²
        }
    set_offsets(std::move(offsets),
                key() + " with inner_radius = " + config::quote(a) + ", outer_radius = " + config::quote(b));
}

}  // namespace ipc
