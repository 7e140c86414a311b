#pragma once
#include <optional>
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// A greedy exact cover that looks one step ahead: columns are taken by
// decreasing coefficient (as greedy_order ranks them), but a column is
// passed over when taking it would leave some uncovered row without a
// column to cover it. The plain greedy pass strands such rows on large,
// tangled programs, where the only other way to a cover is a solver whose
// time grows far faster than the program. Returns the chosen columns in
// increasing order, or nothing when the pass still ends without a cover.
std::optional<std::vector<int>> careful_greedy_cover(const BinaryProgram& program,
                                                     const std::vector<double>& coefficients);

}  // namespace ostrel
