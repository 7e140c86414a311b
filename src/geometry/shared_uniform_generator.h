#pragma once
#include "numerics/random.h"

namespace ftprnt {

// The one generator that all parallelogram and parallelepiped samplers draw
// from, seeded from the seed source on first use.
nmrc::UniformGenerator& shared_uniform_generator();

}  // namespace ftprnt
