#include "imaging/synthetic/seeded_random.h"

#include <cmath>

namespace synth {

double SeededRandom::uniform() {
    // u = (top 53 bits) * 2^-53
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

double SeededRandom::normal() {
    if (has_spare_) {
        has_spare_ = false;
        return spare_;
    }
    // Box-Muller: r = sqrt(-2 ln u1), z1 = r cos(2 pi u2), z2 = r sin(2 pi u2);
    // 1 - uniform() lies in (0, 1], so the logarithm is finite.
    const double u1 = 1.0 - uniform();
    const double u2 = uniform();
    const double r = std::sqrt(-2.0 * std::log(u1));
    const double angle = 2.0 * M_PI * u2;
    spare_ = r * std::sin(angle);
    has_spare_ = true;
    return r * std::cos(angle);
}

int SeededRandom::poisson(double mean) {
    // Knuth: count uniforms until their running product drops below e^-mean.
    if (mean <= 0.0) return 0;
    const double limit = std::exp(-mean);
    int count = 0;
    for (double product = uniform(); product >= limit; product *= uniform()) ++count;
    return count;
}

}  // namespace synth
