#pragma once
#include <limits>
#include <string>

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

// The parameters of the many filters whose only parameter is "gate".
struct GateParameters {
    double gate = 0;
};
config::Schema<GateParameters> gate_schema(const std::string& key, const std::string& meaning);

// A prior covariance (of a new track's velocity): entries finite, variances
// non-negative. The first bad entry as "name(i, j) = value", or "" when none
// is.
template <int N>
std::string bad_covariance_entry(const std::string& name, const nmrc::SymmetricMatrix<N>& m) {
    for (int i = 0; i < N; ++i)
        for (int j = 0; j <= i; ++j) {
            const double value = m(i, j);
            if (!std::isfinite(value) || (i == j && value < 0.0))
                return name + "(" + std::to_string(i) + ", " + std::to_string(j) + ") = " + config::quote(value);
        }
    return "";
}

// Declares "prior_velocity_covariance" on the schema of any parameter struct
// holding one as `member`.
template <class P, int N>
config::Schema<P>& declare_prior_velocity_covariance(config::Schema<P>& schema,
                                                     nmrc::SymmetricMatrix<N> P::*member) {
    const std::string name = "prior_velocity_covariance";
    return schema.required(member, name, "the covariance of a new track's velocity")
        .rule(name, "finite with non-negative variances",
              [member, name](const P& p) { return bad_covariance_entry(name, p.*member).empty(); },
              [member, name](const P& p) { return bad_covariance_entry(name, p.*member); },
              "{element} must hold finite entries and non-negative variances: {value}");
}

}  // namespace ostrel
