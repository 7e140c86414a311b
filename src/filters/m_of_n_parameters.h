#pragma once
#include <cmath>
#include <cstdint>

#include "config/schema.h"

namespace ostrel {

// The parameters the m-of-n confirmers and gaters share, declared on the
// schema of any parameter struct with members m and n: "m" at least 1
// ("m is less than 1"), "n" at least m ("m is larger than n").
template <class P>
config::Schema<P>& declare_m_of_n(config::Schema<P>& schema) {
    return schema.required(&P::m, "m", "the contacts a track needs", config::at_least<int>(1).says("m is less than 1"))
        .required(&P::n, "n", "within this many scans since it began")
        .rule("n", "at least m", [](const P& p) { return p.n >= p.m; },
              [](const P& p) { return std::to_string(p.n) + ", m = " + std::to_string(p.m); }, "m is larger than n");
}

// A reward that confirmation or continuation adds, as its logarithm; it must
// be positive ("<name> is not positive").
inline config::Check<double> positive_reward() { return config::positive<double>().says("{element} is not positive"); }

}  // namespace ostrel
