#pragma once
#include <string>

#include "config/schema.h"
#include "numerics/value_forms.h"

namespace ftprnt {

// Corners and edge vectors of bounded shapes must be finite: an infinite or
// NaN entry would turn every containment test into NaN arithmetic. `shape`
// names the class in the message ("p is not finite in Parallelogram: p = inf 0").
template <int N>
config::Check<nmrc::Vector<N>> finite_in(const std::string& shape) {
    return config::all_finite<N>().says("{element} is not finite in " + shape + ": {element} = {value}");
}

// A radius is a length: zero and +inf are allowed, negative values and NaN
// are not.
inline config::Check<double> radius_is_a_number(const std::string& shape) {
    return config::a_number().says("{element} is not a number in " + shape + ": {element} = {value}");
}
inline config::Check<double> radius_is_not_negative(const std::string& shape) {
    return config::non_negative<double>().says("{element} is negative in " + shape + ": {element} = {value}");
}

}  // namespace ftprnt
