#include <gtest/gtest.h>

#include <random>

#include "support/expect_message.h"
#include "tracker/assignment/assignment_solver.h"
#include "tracker/assignment/branch_and_bound_binary_program_solver.h"
#include "tracker/assignment/linear_program_assignment.h"
#include "tracker/assignment/random_programs.h"
#include "util/exception.h"

namespace {

using assignment_test::ProgramShape;
using ostrel::AssignmentAlgorithm;
using ostrel::AssignmentSolver;
using ostrel::BinaryProgram;

std::vector<int> solve_with(AssignmentAlgorithm algorithm, const BinaryProgram& program) {
    AssignmentSolver solver(algorithm);
    return solver.solve(program, 0);
}

ProgramShape random_shape(std::mt19937& engine) {
    ProgramShape shape;
    shape.rows = std::uniform_int_distribution<int>(1, 7)(engine);
    shape.extra_columns = std::uniform_int_distribution<int>(0, 9)(engine);
    shape.max_column_rows = std::uniform_int_distribution<int>(1, 3)(engine);
    shape.integer_scores = engine() % 2 == 0;
    return shape;
}

TEST(ExactSolvers, OptimalAndBranchAndBoundReachTheExhaustiveBestOnRandomPrograms) {
    std::mt19937 engine(2024);
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const BinaryProgram program = assignment_test::random_feasible_program(engine, random_shape(engine));
        double best = 0.0;
        ASSERT_TRUE(assignment_test::brute_force_best(program, best));

        const std::vector<int> optimal = solve_with(AssignmentAlgorithm::optimal, program);
        const std::vector<int> bnb = solve_with(AssignmentAlgorithm::branch_and_bound, program);
        ASSERT_TRUE(program.is_exact_cover(optimal));
        ASSERT_TRUE(program.is_exact_cover(bnb));
        EXPECT_NEAR(program.total_score(optimal), best, 1e-6);
        EXPECT_NEAR(program.total_score(bnb), best, 1e-6);
    }
}

TEST(ExactSolvers, BranchAndBoundMatchesOptimalOnLargerClusteredPrograms) {
    std::mt19937 engine(77);
    for (int trial = 0; trial < 40; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        ProgramShape shape;
        shape.rows = 12;
        shape.extra_columns = 25;
        const BinaryProgram program = assignment_test::random_clustered_program(engine, shape, 3);
        const std::vector<int> optimal = solve_with(AssignmentAlgorithm::optimal, program);
        const std::vector<int> bnb = solve_with(AssignmentAlgorithm::branch_and_bound, program);
        EXPECT_NEAR(program.total_score(optimal), program.total_score(bnb), 1e-6);
    }
}

TEST(ExactSolvers, BranchAndBoundMinimizesLikeTheIntegerProgram) {
    std::mt19937 engine(5);
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const BinaryProgram source = assignment_test::random_feasible_program(engine, random_shape(engine));
        BinaryProgram program(source.column_count(), BinaryProgram::kMinimize);
        program.set_objective(source.objective());
        for (int r = 0; r < source.row_count(); ++r) program.add_row(source.row(r));

        std::vector<int> bnb;
        ostrel::BranchAndBoundBinaryProgramSolver().solve(program, bnb);
        const std::vector<int> lp = ostrel::solve_integer_program(program);
        ASSERT_TRUE(program.is_exact_cover(bnb));
        EXPECT_NEAR(program.total_score(bnb), program.total_score(lp), 1e-6);
    }
}

TEST(ExactSolvers, HybridMatchesOptimalWheneverTheRelaxationIsIntegral) {
    std::mt19937 engine(31);
    int integral = 0;
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const BinaryProgram program = assignment_test::random_feasible_program(engine, random_shape(engine));
        ostrel::HybridResult hybrid;
        try {
            hybrid = ostrel::solve_hybrid(program);
        } catch (const util::Exception&) {
            continue;  // fractional relaxation on which the greedy pass found no cover
        }
        if (!hybrid.relaxation_integral) continue;
        ++integral;
        ASSERT_TRUE(program.is_exact_cover(hybrid.chosen));
        const std::vector<int> optimal = ostrel::solve_integer_program(program);
        EXPECT_NEAR(program.total_score(hybrid.chosen), program.total_score(optimal), 1e-6);
    }
    EXPECT_GT(integral, 100);  // the comparison must actually have been made
}

TEST(ExactSolvers, HybridTakesTheGreedyChoiceOnFractionalRelaxedValues) {
    // The relaxation's only optimum puts 1/2 on columns 0, 1 and 2; greedy on
    // those values takes column 0 (the lowest of equals) and then column 4,
    // although column 3 alone would also cover every row.
    BinaryProgram program(5);
    for (int j : {0, 1, 2}) program.set_score(j, 1.0);
    program.add_row({0, 1, 3});
    program.add_row({1, 2, 3, 4});
    program.add_row({0, 2, 3});
    const ostrel::HybridResult hybrid = ostrel::solve_hybrid(program);
    EXPECT_FALSE(hybrid.relaxation_integral);
    EXPECT_EQ(hybrid.chosen, (std::vector<int>{0, 4}));
    EXPECT_EQ(solve_with(AssignmentAlgorithm::hybrid, program), (std::vector<int>{0, 4}));

    // Without column 4 the greedy pass on the relaxed values strands row 1.
    BinaryProgram triangle(3);
    triangle.add_row({0, 1});
    triangle.add_row({1, 2});
    triangle.add_row({0, 2});
    EXPECT_MESSAGE(ostrel::solve_hybrid(triangle), "problem in GreedyBinaryProgramSolver");
}

TEST(ExactSolvers, BoundedIntegerProgramIsOptimalWhenSmallAndACoverWhenLarge) {
    std::mt19937 engine(37);
    for (int trial = 0; trial < 100; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const BinaryProgram program = assignment_test::random_feasible_program(engine, random_shape(engine));
        const std::vector<int> optimal = ostrel::solve_integer_program(program);
        const std::vector<int> exact = ostrel::solve_integer_program_within(program, program.column_count());
        EXPECT_NEAR(program.total_score(exact), program.total_score(optimal), 1e-6);
        const std::vector<int> rounded = ostrel::solve_integer_program_within(program, 0);
        EXPECT_TRUE(program.is_exact_cover(rounded));
        EXPECT_LE(program.total_score(rounded), program.total_score(optimal) + 1e-6);
    }
}

TEST(ExactSolvers, ProgramWithoutCoverFailsWithEachSolversMessage) {
    // x0 = 1, x1 = 1 and x0 + x1 = 1 cannot all hold, not even fractionally.
    BinaryProgram program(2);
    program.set_score(0, 1.0);
    program.set_score(1, 2.0);
    program.add_row({0});
    program.add_row({1});
    program.add_row({0, 1});
    const struct {
        AssignmentAlgorithm algorithm;
        const char* message;
    } cases[] = {
        {AssignmentAlgorithm::optimal, "LinearProgramSolver exception: lp_solve infeasible failure"},
        {AssignmentAlgorithm::hybrid, "LinearProgramSolver exception: lp_solve infeasible failure"},
        {AssignmentAlgorithm::branch_and_bound, "problem in BranchAndBoundBinaryProgramSolver"},
        {AssignmentAlgorithm::greedy, "problem in GreedyBinaryProgramSolver"},
        {AssignmentAlgorithm::random_greedy, "problem in RandomGreedyBinaryProgramSolver"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ostrel::assignment_algorithm_text(c.algorithm));
        EXPECT_MESSAGE(solve_with(c.algorithm, program), c.message);
    }
}

TEST(ExactSolvers, EmptyRowMakesTheIntegerProgramInfeasible) {
    BinaryProgram program(1);
    program.add_row({0});
    program.add_row({});
    EXPECT_MESSAGE(solve_with(AssignmentAlgorithm::optimal, program),
                   "LinearProgramSolver exception: lp_solve infeasible failure");
}

TEST(ExactSolvers, ColumnsAreUnboundedAboveInTheLinearProgram) {
    // A column in no row has only its lower bound; with a positive score the
    // program is unbounded, which a finite stand-in for infinity would hide.
    BinaryProgram program(2);
    program.set_score(0, 1.0);
    program.set_score(1, 3.0);
    program.add_row({0});
    EXPECT_MESSAGE(solve_with(AssignmentAlgorithm::optimal, program),
                   "LinearProgramSolver exception: lp_solve unbounded failure");
    std::vector<int> bnb;
    ostrel::BranchAndBoundBinaryProgramSolver().solve(program, bnb);
    EXPECT_EQ(bnb, (std::vector<int>{0, 1}));
}

TEST(ExactSolvers, EmptyProgramChoosesNothing) {
    const BinaryProgram program(0);
    for (AssignmentAlgorithm algorithm :
         {AssignmentAlgorithm::greedy, AssignmentAlgorithm::hybrid, AssignmentAlgorithm::optimal,
          AssignmentAlgorithm::branch_and_bound, AssignmentAlgorithm::random_greedy})
        EXPECT_TRUE(solve_with(algorithm, program).empty());
}

}  // namespace
