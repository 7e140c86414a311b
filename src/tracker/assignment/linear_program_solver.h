#pragma once
#include <string>
#include <vector>

#include "tracker/assignment/linear_program.h"

namespace ostrel {

// Solves a linear (or mixed-integer) program with the lp_solve library.
// Failures throw util::Exception with the library's outcome:
// "lp_solve lag failure" (suboptimal stop), "lp_solve infeasible failure",
// "lp_solve unbounded failure" or "lp_solve failure" (anything else).
class LinearProgramSolver {
public:
    // Resizes `values` to the column count, writes the column values into
    // it and returns the objective value.
    double solve(const LinearProgram& program, std::vector<double>& values) const;
};

// Writes the program in lp_solve's LP text format to `path`; throws
// util::Exception naming the path when the file cannot be written.
void write_lp_file(const LinearProgram& program, const std::string& path);

}  // namespace ostrel
