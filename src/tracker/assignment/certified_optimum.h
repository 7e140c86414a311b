#pragma once
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// The exact cover of a small program when it can be proven to be the only
// optimum of both the integer program and its linear relaxation by a clear
// margin. Then lp_solve, whatever its tolerances, scaling and tie-breaking,
// returns the same cover for "optimal" and "hybrid", so the library's fixed
// cost per program (allocation, scaling, presolve) can be skipped for the
// many small clusters of a frame.
//
// The proof is a dual solution y (one value per row) found by a dense
// simplex and then checked afresh: every chosen column has reduced cost
// s_j - sum_{r in j} y_r = 0 and every other one below -margin. By weak
// duality any other feasible point then scores at least its weight on the
// unchosen columns times the margin less.
//
// Returns false (and leaves `chosen` empty) when the program is too large
// for a dense tableau, infeasible, has no rows, or the optimum is not
// proven unique by the margin; the caller then asks lp_solve.
bool certified_unique_optimum(const BinaryProgram& program, std::vector<int>& chosen);

}  // namespace ostrel
