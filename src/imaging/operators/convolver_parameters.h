#pragma once
#include <string>

#include "config/schema.h"
#include "imaging/operators/mask.h"
#include "util/counted_ptr.h"

namespace ipc {

// The parameters of a convolver: its neighbourhood.
struct ConvolverParameters {
    util::CountedPtr<Mask> mask;
};

// The schema of the convolver keys named `key` ("mean_convolver"): the mask
// is the element's only child ("circle_mask" or "disk_mask"), built by the
// mask factory, whose own problems are reported as they come; an element
// without a child is refused. One schema per
// key, kept for the run.
const config::Schema<ConvolverParameters>& convolver_schema(const std::string& key, const std::string& meaning);

}  // namespace ipc
