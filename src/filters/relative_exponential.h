#pragma once

namespace ostrel {

// The relative exponential E(x) = (e^x - 1) / x, with E(0) = 1. Near zero the
// quotient loses all its digits to cancellation, so there it is summed as a
// series instead.
double relative_exponential(double x);

}  // namespace ostrel
