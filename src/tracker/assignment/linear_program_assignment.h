#pragma once
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// Both functions solve the whole program they are given (the dispatcher
// hands them one cluster at a time). A failure of the linear-programming
// library throws util::Exception "LinearProgramSolver exception: " followed
// by the library's message, e.g. "lp_solve infeasible failure".

struct IntegerProgramResult {
    std::vector<int> chosen;
    // Branch and bound stopped at its node limit: `chosen` is the best cover
    // it had found, or the "hybrid" choice when it had found none.
    bool stopped_early = false;
};

// "optimal": the integer program through lp_solve; returns the columns whose
// value rounds to 1, in increasing order. Branch and bound stops after a
// number of nodes that shrinks as the program grows (`branch_node_limit`):
// an ordinary cluster needs a handful, while a cluster of thousands of
// near-equal hypotheses could keep it busy for hours.
IntegerProgramResult solve_integer_program_limited(const BinaryProgram& program);
std::vector<int> solve_integer_program(const BinaryProgram& program);
long long branch_node_limit(const BinaryProgram& program);

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
