#pragma once
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// Greedy cover of a maximizing binary program: repeatedly take the
// remaining column of largest coefficient (the lower column among equals)
// and drop every column that shares a row with it. Uses the coefficients as
// they stand; the dispatcher normalises them first for "greedy".
class GreedyBinaryProgramSolver {
public:
    // Appends the chosen columns, in the order picked, to `chosen`. Throws
    // "minimize optimization type not implemnted" for a minimizing program
    // and "problem in GreedyBinaryProgramSolver" when some row is left
    // uncovered.
    void solve(const BinaryProgram& program, std::vector<int>& chosen) const;

    // The same, ranking the columns by `coefficients` (one per column, for
    // instance normalised or relaxed values) instead of the program's scores.
    void solve(const BinaryProgram& program, const std::vector<double>& coefficients,
               std::vector<int>& chosen) const;
};

}  // namespace ostrel
