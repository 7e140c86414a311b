#pragma once
#include "numerics/dynamic_vector.h"

namespace ostrel {

// Arithmetic of discrete beliefs (platform types, emitter modes) held as
// dynamic vectors.

// sum_k v_k
double total(const nmrc::DynamicVector& v);

// v / e: turns joint probabilities into the posterior once the evidence e is
// known.
nmrc::DynamicVector divided(nmrc::DynamicVector v, double e);

// The belief that is 1 at `index` and 0 elsewhere.
nmrc::DynamicVector certain(int length, int index);

}  // namespace ostrel
