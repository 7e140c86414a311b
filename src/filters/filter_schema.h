#pragma once
#include <limits>

#include "config/schema.h"
#include "numerics/value_forms.h"
#include "tracker/filter.h"

namespace ostrel {

// Parameter forms that many filter keys share.

// A gate-like threshold (a squared distance or a distance): the exact text
// "infinity" means +inf, so nothing is ever rejected.
inline config::Word<double> infinity() { return {"infinity", std::numeric_limits<double>::infinity()}; }

// A threshold is non-negative: a NaN threshold would silently accept
// everything, a negative one would reject everything.
inline config::Check<double> threshold() {
    return config::non_negative<double>().says(
        "{element} must be a non-negative number or \"infinity\": {entry} = {value}");
}

// Spectral densities of process noise, one per axis.
inline config::Check<double> spectral_density() {
    return config::non_negative_finite().says("{element} must be non-negative and finite: {entry} = {value}");
}

// A rate per unit of frame time that may be zero but never negative (nor NaN).
inline config::Check<double> non_negative_rate() {
    return config::non_negative<double>().says("{element} must be non-negative: {entry} = {value}");
}

// The description of an inner filter slot ("filter", "in", "out").
inline const char* filter_form() { return "an element holding one filter element"; }

}  // namespace ostrel
