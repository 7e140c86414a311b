#pragma once
#include <cmath>
#include <sstream>
#include <string>

#include "numerics/vector.h"
#include "util/exception.h"

namespace ftprnt {

// The default stream notation of a value (numbers and vectors alike), for
// construction-failure messages.
template <class T>
std::string describe(const T& value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

template <int N>
bool is_finite(const nmrc::Vector<N>& v) {
    for (double x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

// Corners and edge vectors of bounded shapes must be finite: an infinite or
// NaN entry would turn every containment test into NaN arithmetic.
template <int N>
void require_finite(const nmrc::Vector<N>& v, const std::string& name, const std::string& owner) {
    if (!is_finite(v))
        throw util::Exception(name + " is not finite in " + owner + ": " + name + " = " +
                              describe(v));
}

// A radius is a length: zero and +inf are allowed, negative values and NaN
// are not.
inline void require_radius(double radius, const std::string& name, const std::string& owner) {
    if (radius >= 0.0) return;
    const std::string fault = std::isnan(radius) ? " is not a number in " : " is negative in ";
    throw util::Exception(name + fault + owner + ": " + name + " = " + describe(radius));
}

}  // namespace ftprnt
