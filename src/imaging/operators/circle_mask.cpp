#include "imaging/operators/circle_mask.h"

#include "imaging/operators/operator_parameters.h"

namespace ipc {

CircleMask::CircleMask(const xml::Querier& element) {
    // A negative radius would leave the mask empty.
    const double r = read_real_in_range(element, "radius", 0, kLargestMaskRadius);
    const int reach = static_cast<int>(r);  // R = r truncated
    std::vector<MaskOffset> offsets;
    for (int dx = -reach; dx <= reach; ++dx)
        for (int dy = -reach; dy <= reach; ++dy) {
            const double squared = double(dx) * dx + double(dy) * dy;
            if (squared <= r * r) offsets.push_back({dx, dy});  // dx² + dy² <= r²
        }
    set_offsets(std::move(offsets), key() + " with radius = " + number_text(r));
}

}  // namespace ipc
