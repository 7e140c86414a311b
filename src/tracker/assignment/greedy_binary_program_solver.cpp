#include "tracker/assignment/greedy_binary_program_solver.h"

#include <string>

#include "tracker/assignment/greedy_pass.h"
#include "util/exception.h"

namespace ostrel {

void GreedyBinaryProgramSolver::solve(const BinaryProgram& program, std::vector<int>& chosen) const {
    solve(program, program.objective(), chosen);
}

void GreedyBinaryProgramSolver::solve(const BinaryProgram& program,
                                      const std::vector<double>& coefficients,
                                      std::vector<int>& chosen) const {
    if (program.optimization_type() != BinaryProgram::kMaximize)
        throw util::Exception("minimize optimization type not implemnted");
    if (static_cast<int>(coefficients.size()) != program.column_count())
        throw util::Exception("greedy coefficients differ in size from the column count: size = " +
                              std::to_string(coefficients.size()));
    const GreedyPassResult pass = greedy_pass(program, greedy_order(coefficients), 1, nullptr);
    if (pass.covered_rows != program.row_count())
        throw util::Exception("problem in GreedyBinaryProgramSolver");
    chosen.insert(chosen.end(), pass.chosen.begin(), pass.chosen.end());
}

}  // namespace ostrel
