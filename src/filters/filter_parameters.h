#pragma once
#include <string>

#include "numerics/vector.h"
#include "xml/querier.h"

namespace ostrel {

// Parameter reading and checks shared by several filter operations. Every
// failure names the parameter and the offending value.

// A number in default stream notation, as messages quote it.
std::string number_text(double value);

// A gate-like threshold (a squared distance or a distance): the exact text
// "infinity" means +inf (nothing is ever rejected); any other text is
// converted as a number, which must be non-negative.
double read_threshold(const xml::Querier& querier, const std::string& key);

// A rate per unit of frame time that may be zero but never negative (nor NaN).
double read_non_negative_rate(const xml::Querier& querier, const std::string& key);

// Per-axis spectral densities: each must be non-negative and finite.
void check_process_noise(const double* values, int count);

// Reads and checks "process_noise", one spectral density per axis.
template <int N>
nmrc::Vector<N> read_process_noise(const xml::Querier& querier) {
    const auto q = querier.read<nmrc::Vector<N>>("process_noise");
    check_process_noise(q.data(), N);
    return q;
}

}  // namespace ostrel
