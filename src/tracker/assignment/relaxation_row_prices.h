#pragma once
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// Row prices u (one per row) from the dual of the linear relaxation
//   max sum_j v_j x_j  s.t.  sum_{j in row r} x_j = 1,  x >= 0,
// where v_j is the column's score turned so that larger is better:
//   min sum_r u_r  s.t.  sum_{r in rows(j)} u_r >= v_j  for every column j in some row.
// For any prices, a cover's total is sum_r u_r + sum_{chosen j} d_j with the
// reduced score d_j = v_j - sum_{r in rows(j)} u_r; with these prices every
// d_j is (up to the library's tolerance) at most 0, so they bound every
// cover by the relaxation's optimum.
// Returns an empty vector when the linear-programming library cannot price
// the rows (for instance because not even a fractional cover exists); the
// caller then does without.
std::vector<double> relaxation_row_prices(const BinaryProgram& program,
                                          const std::vector<double>& values);

}  // namespace ostrel
