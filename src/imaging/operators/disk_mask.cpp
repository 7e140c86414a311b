#include "imaging/operators/disk_mask.h"

#include "imaging/operators/operator_parameters.h"

namespace ipc {

DiskMask::DiskMask(const xml::Querier& element) {
    const double a = read_real_in_range(element, "inner_radius", 0, kLargestMaskRadius);
    const double b = read_real_in_range(element, "outer_radius", 0, kLargestMaskRadius);
    const int reach = static_cast<int>(b);  // B = b truncated
    std::vector<MaskOffset> offsets;
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy) {
            const double squared = double(dx) * dx + double(dy) * dy;
            if (a * a < squared && squared <= b * b) offsets.push_back({dx, dy});  // a² < dx² + dy² <= b²
        }
    set_offsets(std::move(offsets),
                key() + " with inner_radius = " + number_text(a) + ", outer_radius = " + number_text(b));
}

}  // namespace ipc
