#pragma once

namespace ftprnt {

// Registers the footprint keys of dimensions 1, 2 and 3, in that order, in
// their footprint factories. A duplicate key prints a warning and is skipped.
void register_footprints();

// Registers the uniform sampler keys of dimensions 1, 2 and 3, in that order,
// in their uniform footprint factories.
void register_uniform_footprints();

}  // namespace ftprnt
