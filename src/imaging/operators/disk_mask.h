#pragma once
#include "imaging/operators/mask.h"
#include "xml/querier.h"

namespace ipc {

// "disk_mask": the ring of offsets with a² < dx² + dy² <= b² ("inner_radius"
// a, "outer_radius" b); the inner boundary, and so the centre, is excluded.
// A ring that holds no integer offset is refused.
class DiskMask : public Mask {
public:
    explicit DiskMask(const xml::Querier& element);
    static std::string key() { return "disk_mask"; }
};

}  // namespace ipc
