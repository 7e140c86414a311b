#pragma once

namespace nmrc {
namespace interpolant {

// The straight line through (x0, y0) and (x1, y1).
class Linear {
public:
    // Fails with "attempt to divide by zero in interpolant::Linear" when
    // x1 - x0 is exactly zero.
    Linear(double x0, double y0, double x1, double y1);

    // slope x + intercept
    double value(double x) const { return slope_ * x + intercept_; }
    double operator()(double x) const { return value(x); }
    double slope() const { return slope_; }
    double intercept() const { return intercept_; }

private:
    double slope_;
    double intercept_;
};

}  // namespace interpolant
}  // namespace nmrc
