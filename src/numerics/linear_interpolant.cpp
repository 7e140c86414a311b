#include "numerics/linear_interpolant.h"

#include "util/exception.h"

namespace nmrc {
namespace interpolant {

Linear::Linear(double x0, double y0, double x1, double y1) {
    const double run = x1 - x0;
    if (run == 0.0) throw util::Exception("attempt to divide by zero in interpolant::Linear");
    // slope = (y1 - y0) (1 / (x1 - x0)); intercept = y0 - x0 slope
    slope_ = (y1 - y0) * (1.0 / run);
    intercept_ = y0 - x0 * slope_;
}

}  // namespace interpolant
}  // namespace nmrc
