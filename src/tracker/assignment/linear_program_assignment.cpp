#include "tracker/assignment/linear_program_assignment.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <string>

#include "tracker/assignment/greedy_binary_program_solver.h"
#include "tracker/assignment/linear_program.h"
#include "tracker/assignment/linear_program_solver.h"
#include "util/exception.h"

namespace ostrel {
namespace {

constexpr double kIntegralTolerance = 1e-8;
// Branch-and-bound nodes times columns: a fraction of a second of lp_solve's
// work (a cluster of 5000 columns stops after 400 nodes, one of 20 columns
// after 100000), and never fewer than 100 nodes.
constexpr long long kBranchWork = 2'000'000;
constexpr long long kFewestBranchNodes = 100;

// A failed linear program ends the resolve with an exception that the
// caller may handle; it never ends the process.
std::vector<double> solve_linear_program(const LinearProgram& lp, LinearProgramSolver& solver) {
    std::vector<double> values;
    try {
        solver.solve(lp, values);
    } catch (const std::exception& error) {
        throw util::Exception(std::string("LinearProgramSolver exception: ") + error.what());
    }
    return values;
}

std::vector<double> solve_linear_program(const LinearProgram& lp) {
    LinearProgramSolver solver;
    return solve_linear_program(lp, solver);
}

bool is_fractional(double v) {
    return std::fabs(v) > kIntegralTolerance && std::fabs(v - 1.0) > kIntegralTolerance;
}

}  // namespace

long long branch_node_limit(const BinaryProgram& program) {
    return std::max(kFewestBranchNodes, kBranchWork / std::max(1, program.column_count()));
}

IntegerProgramResult solve_integer_program_limited(const BinaryProgram& program) {
    LinearProgramSolver solver(branch_node_limit(program));
    std::vector<double> values;
    try {
        values = solve_linear_program(make_linear_program(program, true), solver);
    } catch (const util::Exception&) {
        if (!solver.node_limit_reached()) throw;
        // No cover within the limit: the rounding of the relaxation, which
        // fails in its turn when it strands a row.
        return {solve_hybrid(program).chosen, true};
    }
    IntegerProgramResult result;
    result.stopped_early = solver.node_limit_reached();
    // Integer columns come back within the library's integrality tolerance
    // (1e-7) of 0 or 1, so rounding is unambiguous.
    for (int j = 0; j < program.column_count(); ++j)
        if (values[j] > 0.5) result.chosen.push_back(j);
    return result;
}

std::vector<int> solve_integer_program(const BinaryProgram& program) {
    return solve_integer_program_limited(program).chosen;
}

HybridResult solve_hybrid(const BinaryProgram& program) {
    const std::vector<double> values = solve_linear_program(make_linear_program(program, false));
    HybridResult result;
    result.relaxation_integral = true;
    for (double v : values)
        if (is_fractional(v)) result.relaxation_integral = false;

    if (result.relaxation_integral) {
        for (int j = 0; j < program.column_count(); ++j)
            if (std::fabs(values[j] - 1.0) < kIntegralTolerance) result.chosen.push_back(j);
    } else {
        GreedyBinaryProgramSolver().solve(program, values, result.chosen);
    }
    return result;
}

std::vector<int> solve_integer_program_within(const BinaryProgram& program, int largest_exact) {
    try {
        HybridResult relaxed = solve_hybrid(program);
        if (relaxed.relaxation_integral || program.column_count() > largest_exact) return std::move(relaxed.chosen);
    } catch (const std::exception&) {
        // The rounding of a fractional relaxation stranded a row: only the
        // integer program can say whether a cover exists at all.
    }
    return solve_integer_program(program);
}

}  // namespace ostrel
