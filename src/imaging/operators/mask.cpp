#include "imaging/operators/mask.h"

#include <algorithm>

#include "util/exception.h"

namespace ipc {

void Mask::set_offsets(std::vector<MaskOffset> offsets, const std::string& description) {
    // Operators divide by, and index through, the offsets: an empty mask has
    // no meaningful result anywhere.
    if (offsets.empty()) throw util::Exception("mask has no offsets: " + description);
    offsets_ = std::move(offsets);
    auto by_dx = [](const MaskOffset& a, const MaskOffset& b) { return a.dx < b.dx; };
    auto by_dy = [](const MaskOffset& a, const MaskOffset& b) { return a.dy < b.dy; };
    min_dx_ = std::min_element(offsets_.begin(), offsets_.end(), by_dx)->dx;
    max_dx_ = std::max_element(offsets_.begin(), offsets_.end(), by_dx)->dx;
    min_dy_ = std::min_element(offsets_.begin(), offsets_.end(), by_dy)->dy;
    max_dy_ = std::max_element(offsets_.begin(), offsets_.end(), by_dy)->dy;
}

}  // namespace ipc
