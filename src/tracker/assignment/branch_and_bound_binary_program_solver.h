#pragma once
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// Exact solver of the set-partitioning program by depth-first search: branch
// on the uncovered row with the fewest remaining candidates, try its
// candidates best first, and cut a branch when even the best remaining share
// of every uncovered row cannot beat the best cover found. A column that
// lies in no row is taken exactly when it improves the objective.
class BranchAndBoundBinaryProgramSolver {
public:
    // Appends an exact cover of best total score (largest when maximizing,
    // smallest when minimizing), in increasing column order, to `chosen`.
    // Throws "problem in BranchAndBoundBinaryProgramSolver" when no exact
    // cover exists.
    void solve(const BinaryProgram& program, std::vector<int>& chosen) const;
};

}  // namespace ostrel
