#pragma once
#include <string>
#include <vector>

#include "tracker/assignment/linear_program.h"

namespace ostrel {

// Solves a linear (or mixed-integer) program with the lp_solve library.
// Failures throw util::Exception with the library's outcome:
// "lp_solve lag failure" (suboptimal stop), "lp_solve infeasible failure",
// "lp_solve unbounded failure" or "lp_solve failure" (anything else).
//
// Branch and bound over integer columns can run for hours on a large
// program with many near-equal covers. With a node limit (0: none) it stops
// after that many nodes: `values` then holds the best integer solution found
// so far and `node_limit_reached()` says so; without one found by then,
// the solve fails with "lp_solve node limit failure".
class LinearProgramSolver {
public:
    explicit LinearProgramSolver(long long node_limit = 0) : node_limit_(node_limit) {}

    // Resizes `values` to the column count, writes the column values into
    // it and returns the objective value.
    double solve(const LinearProgram& program, std::vector<double>& values);

    // Whether the last solve stopped at the node limit.
    bool node_limit_reached() const { return node_limit_reached_; }

private:
    long long node_limit_;
    bool node_limit_reached_ = false;
};

// Writes the program in lp_solve's LP text format to `path`; throws
// util::Exception naming the path when the file cannot be written.
void write_lp_file(const LinearProgram& program, const std::string& path);

}  // namespace ostrel
