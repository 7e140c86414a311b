#include "tracker/assignment/linear_program_assignment.h"

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

// A failed linear program ends the resolve with an exception that the
// caller may handle; it never ends the process.
std::vector<double> solve_linear_program(const LinearProgram& lp) {
    std::vector<double> values;
    try {
        LinearProgramSolver().solve(lp, values);
    } catch (const std::exception& error) {
        throw util::Exception(std::string("LinearProgramSolver exception: ") + error.what());
    }
    return values;
}

bool is_fractional(double v) {
    return std::fabs(v) > kIntegralTolerance && std::fabs(v - 1.0) > kIntegralTolerance;
}

}  // namespace

std::vector<int> solve_integer_program(const BinaryProgram& program) {
    const std::vector<double> values = solve_linear_program(make_linear_program(program, true));
    // Integer columns come back within the library's integrality tolerance
    // (1e-7) of 0 or 1, so rounding is unambiguous.
    std::vector<int> chosen;
    for (int j = 0; j < program.column_count(); ++j)
        if (values[j] > 0.5) chosen.push_back(j);
    return chosen;
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
