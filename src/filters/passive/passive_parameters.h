#pragma once
#include <string>
#include <vector>

#include "numerics/dynamic_vector.h"
#include "numerics/normal.h"
#include "xml/querier.h"

namespace ostrel {

// Parameter reading and run-time checks shared by the passive-sensor and
// platform filters. Every failure names the values involved.

// "prior_velocity_covariance": a 3 x 3 matrix read row by row (the entries on
// and below the diagonal kept); entries finite, variances non-negative.
nmrc::SymmetricMatrix<3> read_prior_velocity_covariance(const xml::Querier& querier);

// A "gate" that is a probability floor: a number that must not be negative,
// else the exact `negative_message`; NaN fails naming the value.
double read_non_negative_gate(const xml::Querier& querier, const std::string& negative_message);

// A probability floor named `key` (a gate on a probability, e <= floor
// rejects): a number that must not be negative nor NaN, named with its value.
double read_probability_floor(const xml::Querier& querier, const std::string& key);

// A probability vector (the text of child `key`, numbers separated by
// blanks): at least one entry, every entry finite and non-negative.
nmrc::DynamicVector read_probabilities(const xml::Querier& querier, const std::string& key);

// Integer indices listed as the child elements of `list` (one index per
// child, any element name) or, when it has no children, as its text.
std::vector<int> read_index_list(const xml::Querier& list);

// Fails unless 0 <= index < length:
// "<what> <index> is outside <vector> of length <length> in <owner>".
void check_index(int index, int length, const std::string& what, const std::string& vector,
                 const std::string& owner);

// Fails unless the lengths agree, naming both:
// "size mismatch in <owner>: <a> has <la> entries, <b> has <lb>".
void check_same_length(int la, const std::string& a, int lb, const std::string& b,
                       const std::string& owner);

// The starting position-velocity estimate of a track: mean (p, 0),
// covariance [[Cp, 0], [0, prior velocity covariance]].
nmrc::Normal<6> position_velocity_start(const nmrc::Normal<3>& position,
                                        const nmrc::SymmetricMatrix<3>& prior_velocity_covariance);

}  // namespace ostrel
