#include "tracker/assignment/certified_optimum.h"

#include <gtest/gtest.h>

#include <random>

#include "tracker/assignment/linear_program_assignment.h"
#include "tracker/assignment/random_programs.h"

namespace {

using assignment_test::ProgramShape;
using ostrel::BinaryProgram;

BinaryProgram program_of(const std::vector<double>& scores, const std::vector<std::vector<int>>& rows,
                         int type = BinaryProgram::kMaximize) {
    BinaryProgram program(static_cast<int>(scores.size()), type);
    program.set_objective(scores);
    for (const auto& row : rows) program.add_row(row);
    return program;
}

// Whenever the shortcut answers, lp_solve gives the same cover for the
// integer program and for its relaxation, and it is the exhaustive best.
TEST(CertifiedOptimum, AnswersOnlyWhatLpSolveAnswersForBothPrograms) {
    std::mt19937 engine(4242);
    int certified = 0;
    for (int trial = 0; trial < 400; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        ProgramShape shape;
        shape.rows = std::uniform_int_distribution<int>(1, 10)(engine);
        shape.extra_columns = std::uniform_int_distribution<int>(0, 20)(engine);
        shape.max_column_rows = std::uniform_int_distribution<int>(1, 4)(engine);
        shape.integer_scores = trial % 4 == 0;  // ties are common then
        const BinaryProgram program = assignment_test::random_feasible_program(engine, shape);
        std::vector<int> chosen;
        if (!ostrel::certified_unique_optimum(program, chosen)) {
            EXPECT_TRUE(chosen.empty());
            continue;
        }
        ++certified;
        double best = 0.0;
        ASSERT_TRUE(assignment_test::brute_force_best(program, best));
        EXPECT_NEAR(program.total_score(chosen), best, 1e-9);
        EXPECT_EQ(chosen, ostrel::solve_integer_program(program));
        const ostrel::HybridResult relaxed = ostrel::solve_hybrid(program);
        EXPECT_TRUE(relaxed.relaxation_integral);
        EXPECT_EQ(chosen, relaxed.chosen);

        // The same program minimising the negated scores has the same answer.
        std::vector<double> negated = program.objective();
        for (double& s : negated) s = -s;
        BinaryProgram minimising(program.column_count(), BinaryProgram::kMinimize);
        minimising.set_objective(negated);
        for (int r = 0; r < program.row_count(); ++r) minimising.add_row(program.row(r));
        std::vector<int> again;
        EXPECT_TRUE(ostrel::certified_unique_optimum(minimising, again));
        EXPECT_EQ(again, chosen);
    }
    EXPECT_GT(certified, 150);  // the comparison must actually have been made
}

// Two optima (exactly or within the margin), a fractional relaxation or no
// cover at all: lp_solve must decide.
TEST(CertifiedOptimum, DeclinesTiesNearTiesFractionsAndInfeasiblePrograms) {
    const struct {
        const char* what;
        BinaryProgram program;
    } cases[] = {
        {"same rows, same score", program_of({2.0, 2.0}, {{0, 1}})},
        {"one column against two", program_of({3.0, 1.0, 2.0}, {{0, 1}, {0, 2}})},
        {"within the margin", program_of({3.0, 1.0, 2.0 - 1e-9}, {{0, 1}, {0, 2}})},
        {"fractional relaxation", program_of({1.0, 1.0, 1.0, 0.0}, {{0, 1, 3}, {1, 2, 3}, {0, 2, 3}})},
        {"contradicting rows", program_of({1.0, 2.0}, {{0}, {1}, {0, 1}})},
        {"an empty row", program_of({1.0}, {{0}, {}})},
        {"no rows", program_of({1.0}, {})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<int> chosen{7};
        EXPECT_FALSE(ostrel::certified_unique_optimum(c.program, chosen));
        EXPECT_TRUE(chosen.empty());
    }
}

TEST(CertifiedOptimum, ProvesADegenerateButUniqueOptimum) {
    // Column 0 covers all three rows; the vertex is degenerate (two basic
    // columns at zero), yet no other cover comes close.
    const BinaryProgram program =
        program_of({-10.0, -9.0, -9.0, -9.0, -8.0}, {{0, 1, 4}, {0, 2, 4}, {0, 3}});
    std::vector<int> chosen;
    ASSERT_TRUE(ostrel::certified_unique_optimum(program, chosen));
    EXPECT_EQ(chosen, (std::vector<int>{0}));
    EXPECT_EQ(chosen, ostrel::solve_integer_program(program));
}

}  // namespace
