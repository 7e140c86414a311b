#pragma once
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// Exact solver of the set-partitioning program by depth-first search: branch
// on the uncovered row with the fewest remaining candidates, try its
// candidates in the order the linear relaxation favours, and cut a branch
// when no completion can beat the best cover found. The bound at a node is
// the smaller of two: the best even share of every uncovered row, and the
// relaxation's row prices of the uncovered rows plus the best share of
// reduced score in each. Greedy covers on the reduced scores and on the
// scores start the search with a good incumbent. A column that lies in no
// row is taken exactly when it improves the objective.
//
// The result is optimal up to the rounding of the bound itself: a branch is
// cut only when its bound falls short of the incumbent by a margin of 1e-10
// relative to the magnitudes of the scores and prices.
class BranchAndBoundBinaryProgramSolver {
public:
    // Appends an exact cover of best total score (largest when maximizing,
    // smallest when minimizing), in increasing column order, to `chosen`.
    // Throws "problem in BranchAndBoundBinaryProgramSolver" when no exact
    // cover exists.
    void solve(const BinaryProgram& program, std::vector<int>& chosen) const;
};

}  // namespace ostrel
