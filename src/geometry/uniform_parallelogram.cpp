#include "geometry/uniform_parallelogram.h"

#include "geometry/shared_uniform_generator.h"

namespace ftprnt {

UniformParallelogram::UniformParallelogram(const nmrc::Vector<2>& p, const nmrc::Vector<2>& v0,
                                           const nmrc::Vector<2>& v1)
    : region_(p, v0, v1) {}

// u1, u2 drawn in that order; x = p + u2 v0 + u1 v1
void UniformParallelogram::sample(nmrc::Vector<2>& point) const {
    nmrc::UniformGenerator& generator = shared_uniform_generator();
    const double u1 = generator.next();
    const double u2 = generator.next();
    point = region_.p() + u2 * region_.v0() + u1 * region_.v1();
}

}  // namespace ftprnt
