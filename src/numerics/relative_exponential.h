#pragma once

namespace nmrc {

// The relative exponential E(x) = (e^x - 1) / x, with E(0) = 1. Near zero the
// quotient loses its digits to cancellation, so for |x| < 0.4 it is summed as
// its series; elsewhere e^x - 1 comes from expm1, which keeps them too.
double relative_exponential(double x);

}  // namespace nmrc
