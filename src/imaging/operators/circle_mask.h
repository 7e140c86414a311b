#pragma once
#include "config/schema.h"
#include "imaging/operators/mask.h"
#include "xml/querier.h"

namespace ipc {

// "circle_mask": the filled disc of offsets with dx² + dy² <= r² ("radius" r),
// dx outer and dy inner, both ascending. Radius 1 gives the five offsets of a
// cross, radius 1.5 the 3 x 3 square.
class CircleMask : public Mask {
public:
    struct Parameters {
        double radius = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit CircleMask(const Parameters& parameters);
    explicit CircleMask(const xml::Querier& element) : CircleMask(schema().bind(element)) {}
    static std::string key() { return "circle_mask"; }
};

}  // namespace ipc
