#pragma once
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// Both functions solve the whole program they are given (the dispatcher
// hands them one cluster at a time). A failure of the linear-programming
// library throws util::Exception "LinearProgramSolver exception: " followed
// by the library's message, e.g. "lp_solve infeasible failure".

// "optimal": the integer program through lp_solve; returns the columns whose
// value rounds to 1, in increasing order.
std::vector<int> solve_integer_program(const BinaryProgram& program);

struct HybridResult {
    std::vector<int> chosen;
    bool relaxation_integral = false;
};

// "hybrid": the linear relaxation; when every value is 0 or 1 within 1e-8
// the columns at 1 are chosen (in increasing order), otherwise the greedy
// solver picks by the relaxed values (without normalisation).
HybridResult solve_hybrid(const BinaryProgram& program);

// The integer program at a bounded cost: the relaxation first; when it is
// integral it is the optimum. Otherwise branch and bound for a program of at
// most `largest_exact` columns, and the greedy rounding of the relaxation
// ("hybrid") for a larger one, where branch and bound may run for hours.
// When that rounding strands a row, the integer program decides after all.
std::vector<int> solve_integer_program_within(const BinaryProgram& program, int largest_exact);

}  // namespace ostrel
