#include <gtest/gtest.h>

#include <random>

#include "tracker/assignment/branch_and_bound_binary_program_solver.h"
#include "tracker/assignment/linear_program.h"
#include "tracker/assignment/linear_program_assignment.h"
#include "tracker/assignment/linear_program_solver.h"
#include "tracker/assignment/random_programs.h"
#include "tracker/assignment/relaxation_row_prices.h"

namespace {

using ostrel::BinaryProgram;

std::vector<int> branch_and_bound(const BinaryProgram& program) {
    std::vector<int> chosen;
    ostrel::BranchAndBoundBinaryProgramSolver().solve(program, chosen);
    return chosen;
}

TEST(RelaxationRowPrices, PricesAreDualFeasibleAndSumToTheRelaxationOptimum) {
    std::mt19937 engine(404);
    for (int trial = 0; trial < 50; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        assignment_test::ProgramShape shape;
        shape.rows = 8;
        shape.extra_columns = 20;
        const BinaryProgram program = assignment_test::random_feasible_program(engine, shape);
        const std::vector<double> prices = ostrel::relaxation_row_prices(program, program.objective());
        ASSERT_EQ(prices.size(), static_cast<std::size_t>(program.row_count()));
        double total = 0.0;
        for (double u : prices) total += u;
        for (int j = 0; j < program.column_count(); ++j) {
            double priced = 0.0;
            for (int r : program.column_rows(j)) priced += prices[r];
            EXPECT_LE(program.coefficient(j), priced + 1e-7) << "column " << j;
        }
        std::vector<double> values;
        const double relaxed =
            ostrel::LinearProgramSolver().solve(ostrel::make_linear_program(program, false), values);
        EXPECT_NEAR(total, relaxed, 1e-6);
    }
}

TEST(RelaxationRowPrices, ProgramWithoutFractionalCoverHasNoPrices) {
    BinaryProgram program(2);
    program.add_row({0});
    program.add_row({1});
    program.add_row({0, 1});
    EXPECT_TRUE(ostrel::relaxation_row_prices(program, program.objective()).empty());
}

TEST(BranchAndBound, FindsTheIntegerOptimumBelowAFractionalRelaxation) {
    // The relaxation reaches 1.5 with 1/2 on columns 0, 1 and 2; the best
    // cover is column 0 with column 4 (1.0), not column 3 alone (0.0).
    BinaryProgram program(5);
    for (int j : {0, 1, 2}) program.set_score(j, 1.0);
    program.add_row({0, 1, 3});
    program.add_row({1, 2, 3, 4});
    program.add_row({0, 2, 3});
    EXPECT_EQ(branch_and_bound(program), (std::vector<int>{0, 4}));
}

TEST(BranchAndBound, MatchesTheIntegerProgramOnProgramsTooLargeForExhaustiveSearch) {
    std::mt19937 engine(909);
    for (int trial = 0; trial < 20; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        assignment_test::ProgramShape shape;
        shape.rows = 30;
        shape.extra_columns = 90;
        shape.integer_scores = trial % 2 == 0;
        const BinaryProgram program = assignment_test::random_feasible_program(engine, shape);
        const std::vector<int> bnb = branch_and_bound(program);
        ASSERT_TRUE(program.is_exact_cover(bnb));
        EXPECT_NEAR(program.total_score(bnb),
                    program.total_score(ostrel::solve_integer_program(program)), 1e-6);
    }
}

}  // namespace
