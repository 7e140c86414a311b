#include "geometry/uniform_parallelepiped.h"

#include "geometry/shared_uniform_generator.h"

namespace ftprnt {

UniformParallelepiped::UniformParallelepiped(const nmrc::Vector<3>& p, const nmrc::Vector<3>& v0,
                                             const nmrc::Vector<3>& v1, const nmrc::Vector<3>& v2)
    : region_(p, v0, v1, v2) {}

// u1, u2, u3 drawn in that order; x = p + u3 v0 + u2 v1 + u1 v2
void UniformParallelepiped::sample(nmrc::Vector<3>& point) const {
    nmrc::UniformGenerator& generator = shared_uniform_generator();
    const double u1 = generator.next();
    const double u2 = generator.next();
    const double u3 = generator.next();
    point = region_.p() + u3 * region_.v0() + u2 * region_.v1() + u1 * region_.v2();
}

}  // namespace ftprnt
