#pragma once
#include "config/schema.h"
#include "imaging/operators/mask.h"
#include "xml/querier.h"

namespace ipc {

// "disk_mask": the ring of offsets with a² < dx² + dy² <= b² ("inner_radius"
// a, "outer_radius" b); the inner boundary, and so the centre, is excluded.
// A ring that holds no integer offset is refused.
class DiskMask : public Mask {
public:
    struct Parameters {
        double inner_radius = 0;
        double outer_radius = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit DiskMask(const Parameters& parameters);
    explicit DiskMask(const xml::Querier& element) : DiskMask(schema().bind(element)) {}
    static std::string key() { return "disk_mask"; }
};

}  // namespace ipc
