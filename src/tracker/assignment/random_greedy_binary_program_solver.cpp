#include "tracker/assignment/random_greedy_binary_program_solver.h"

#include <algorithm>
#include <string>

#include "tracker/assignment/greedy_pass.h"
#include "util/exception.h"

namespace ostrel {

RandomGreedyBinaryProgramSolver::RandomGreedyBinaryProgramSolver(int passes, int choices)
    : passes_(passes), choices_(choices) {
    if (passes < 1)
        throw util::Exception("random greedy passes must be at least 1: passes = " +
                              std::to_string(passes));
    if (choices < 1)
        throw util::Exception("random greedy choices must be at least 1: choices = " +
                              std::to_string(choices));
}

void RandomGreedyBinaryProgramSolver::solve(const BinaryProgram& program,
                                            nmrc::UniformGenerator& random,
                                            std::vector<int>& chosen) const {
    if (program.optimization_type() != BinaryProgram::kMaximize)
        throw util::Exception("minimize optimization type not implemnted");

    const std::vector<int> order = greedy_order(normalised_coefficients(program));
    // Uniform rank among the offered candidates; next() lies in (0, 1).
    const RankChooser choose_rank = [&random](std::size_t offered) {
        const auto rank = static_cast<std::size_t>(random.next() * static_cast<double>(offered));
        return std::min(rank, offered - 1);
    };

    bool found = false;
    std::vector<int> best;
    double best_score = 0.0;
    for (int pass = 0; pass < passes_; ++pass) {
        const std::size_t choices = pass == 0 ? 1 : static_cast<std::size_t>(choices_);
        GreedyPassResult result = greedy_pass(program, order, choices, choose_rank);
        if (result.covered_rows != program.row_count()) continue;
        // Covers are ranked by the program's own scores, not the normalised ones.
        const double score = program.total_score(result.chosen);
        if (!found || score > best_score) {
            found = true;
            best = std::move(result.chosen);
            best_score = score;
        }
    }
    if (!found) throw util::Exception("problem in RandomGreedyBinaryProgramSolver");
    chosen.insert(chosen.end(), best.begin(), best.end());
}

}  // namespace ostrel
