#include "numerics/relative_exponential.h"

#include <cmath>

namespace nmrc {

double relative_exponential(double x) {
    if (x == 0.0) return 1.0;
    if (std::fabs(x) < 0.4) {
        // E(x) = sum_{k=0}^{13} x^k / (k+1)!, nested as
        // 1 + (x/2)(1 + (x/3)(1 + ... (1 + (x/13)(1 + x/14)) ... ))
        double sum = 1.0;
        for (int k = 14; k >= 2; --k) sum = 1.0 + (x / k) * sum;
        return sum;
    }
    // E(x) = (e^x - 1) / x
    return std::expm1(x) / x;
}

}  // namespace nmrc
