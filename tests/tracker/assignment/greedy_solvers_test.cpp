#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "numerics/random.h"
#include "support/expect_message.h"
#include "tracker/assignment/assignment_solver.h"
#include "tracker/assignment/careful_greedy.h"
#include "tracker/assignment/greedy_binary_program_solver.h"
#include "tracker/assignment/greedy_pass.h"
#include "tracker/assignment/random_greedy_binary_program_solver.h"
#include "tracker/assignment/random_programs.h"
#include "util/exception.h"

namespace {

using ostrel::BinaryProgram;
using ostrel::GreedyBinaryProgramSolver;
using ostrel::RandomGreedyBinaryProgramSolver;

std::vector<int> greedy(const BinaryProgram& program) {
    std::vector<int> chosen;
    GreedyBinaryProgramSolver().solve(program, chosen);
    return chosen;
}

std::vector<int> dispatched_greedy(const BinaryProgram& program) {
    ostrel::AssignmentSolver solver(ostrel::AssignmentAlgorithm::greedy);
    return solver.solve(program, 0);
}

TEST(GreedySolver, EqualLargestCoefficientsGoToTheLowerColumn) {
    BinaryProgram program(4);
    program.set_objective({3.0, 5.0, 2.0, 5.0});
    program.add_row({3, 2, 1, 0});
    EXPECT_EQ(greedy(program), (std::vector<int>{1}));
}

// Decreasing coefficient, the lower column first among equals, infinities
// at the ends: the order of a stable sort, on coefficients full of ties.
TEST(GreedySolver, OrderIsDecreasingWithTiesToTheLowerColumn) {
    std::mt19937 random(5);
    std::uniform_int_distribution<int> level(-3, 3);
    for (int trial = 0; trial < 20; ++trial) {
        std::vector<double> coefficients(1 + trial * 7);
        for (double& c : coefficients) c = level(random) * 0.5;
        coefficients[trial % coefficients.size()] = -INFINITY;
        coefficients[(trial * 3) % coefficients.size()] = INFINITY;
        std::vector<int> expected(coefficients.size());
        for (std::size_t c = 0; c < expected.size(); ++c) expected[c] = static_cast<int>(c);
        std::stable_sort(expected.begin(), expected.end(),
                         [&](int a, int b) { return coefficients[a] > coefficients[b]; });
        EXPECT_EQ(ostrel::greedy_order(coefficients), expected) << "trial " << trial;
    }
}

TEST(GreedySolver, NormalisationScoresARowRelativeToItsSingleRowColumns) {
    // Rows {0, 1, 2} and {1, 3}. Column 0 (one row) shifts row 0 by -4;
    // column 2 (one row, now -1) shifts row 0 by +1; column 3 shifts row 1
    // by -2; column 1 lies in two rows and shifts nothing.
    BinaryProgram program(4);
    program.set_objective({4.0, 7.0, 3.0, 2.0});
    program.add_row({0, 1, 2});
    program.add_row({1, 3});
    EXPECT_EQ(ostrel::normalised_coefficients(program), (std::vector<double>{1.0, 2.0, 0.0, 0.0}));
    EXPECT_EQ(program.objective(), (std::vector<double>{4.0, 7.0, 3.0, 2.0}));  // untouched
}

TEST(GreedySolver, NormalisationLetsGreedyPreferTwoColumnsOverOneSharedOne) {
    // Column 1 (5) spans both rows; columns 0 and 2 (3 each) together score 6.
    BinaryProgram program(3);
    program.set_objective({3.0, 5.0, 3.0});
    program.add_row({0, 1});
    program.add_row({1, 2});
    EXPECT_EQ(greedy(program), (std::vector<int>{1}));
    EXPECT_EQ(dispatched_greedy(program), (std::vector<int>{0, 2}));
}

TEST(GreedySolver, PickInNoRowIsRemovedAndThePassEnds) {
    BinaryProgram program(3);
    program.set_objective({9.0, 1.0, -4.0});
    program.add_row({1});
    EXPECT_EQ(greedy(program), (std::vector<int>{0, 1, 2}));
}

TEST(GreedySolver, RefusesMinimizingAndUncoveredPrograms) {
    BinaryProgram minimize(1, BinaryProgram::kMinimize);
    minimize.add_row({0});
    EXPECT_MESSAGE(greedy(minimize), "minimize optimization type not implemnted");
    std::vector<int> chosen;
    nmrc::UniformGenerator random(1);
    EXPECT_MESSAGE(RandomGreedyBinaryProgramSolver().solve(minimize, random, chosen),
                   "minimize optimization type not implemnted");

    // Column 0 takes row 0 and strands row 1, whose only member is in row 0.
    BinaryProgram stranded(2);
    stranded.set_objective({2.0, 1.0});
    stranded.add_row({0, 1});
    stranded.add_row({1});
    EXPECT_MESSAGE(greedy(stranded), "problem in GreedyBinaryProgramSolver");
}

TEST(RandomGreedySolver, RejectsPassesOrChoicesBelowOne) {
    EXPECT_MESSAGE(RandomGreedyBinaryProgramSolver(0, 3), "random greedy passes must be at least 1: passes = 0");
    EXPECT_MESSAGE(RandomGreedyBinaryProgramSolver(4, -2), "random greedy choices must be at least 1: choices = -2");
}

TEST(RandomGreedySolver, FindsACoverWhereThePlainGreedyStrands) {
    // Greedy takes column 0 first and strands row 1; choosing column 1
    // (the second best) covers both rows.
    BinaryProgram program(2);
    program.set_objective({2.0, 1.0});
    program.add_row({0, 1});
    program.add_row({1});
    std::vector<int> chosen;
    nmrc::UniformGenerator random(99);
    RandomGreedyBinaryProgramSolver(16, 2).solve(program, random, chosen);
    EXPECT_EQ(chosen, (std::vector<int>{1}));
}

assignment_test::ProgramShape random_shape(std::mt19937& engine) {
    assignment_test::ProgramShape shape;
    shape.rows = std::uniform_int_distribution<int>(1, 10)(engine);
    shape.extra_columns = std::uniform_int_distribution<int>(0, 15)(engine);
    shape.max_column_rows = std::uniform_int_distribution<int>(1, 3)(engine);
    shape.integer_scores = engine() % 2 == 0;
    return shape;
}

TEST(CarefulGreedy, PassesOverAColumnThatWouldStrandARowAndKnowsWhenNoCoverExists) {
    // Greedy takes column 0 and strands row 2, which only column 2 covers.
    BinaryProgram program(3);
    program.set_objective({10.0, 1.0, 1.0});
    program.add_row({0, 1});
    program.add_row({0, 2});
    program.add_row({2});
    EXPECT_THROW(greedy(program), util::Exception);
    EXPECT_EQ(ostrel::careful_greedy_cover(program, program.objective()), (std::vector<int>{1, 2}));

    // Every cover needs columns 0 and 1, which share row 0.
    BinaryProgram none(2);
    none.set_objective({2.0, 1.0});
    none.add_row({0, 1});
    none.add_row({0});
    none.add_row({1});
    EXPECT_FALSE(ostrel::careful_greedy_cover(none, none.objective()));
}

// Where the plain greedy pass finds a cover, no pick of it strands a row,
// so the careful pass makes the same picks; elsewhere it often finds one.
TEST(CarefulGreedy, AgreesWithThePlainGreedyWhereThatSucceedsAndCoversMoreOften) {
    std::mt19937 engine(77);
    int plain_covers = 0, careful_covers = 0;
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const BinaryProgram program = assignment_test::random_feasible_program(engine, random_shape(engine));
        const std::vector<double> c = ostrel::normalised_coefficients(program);
        const auto careful = ostrel::careful_greedy_cover(program, c);
        if (careful) {
            ++careful_covers;
            EXPECT_TRUE(program.is_exact_cover(*careful));
        }
        std::vector<int> plain;
        try {
            GreedyBinaryProgramSolver().solve(program, c, plain);
        } catch (const util::Exception&) {
            continue;
        }
        ++plain_covers;
        std::sort(plain.begin(), plain.end());
        ASSERT_TRUE(careful);
        EXPECT_EQ(*careful, plain);
    }
    EXPECT_GT(careful_covers, plain_covers);
}

TEST(RandomGreedySolver, ReturnsCoversNeverWorseThanTheGreedyCover) {
    std::mt19937 engine(404);
    nmrc::UniformGenerator random(12345);
    int greedy_covers = 0, improvements = 0;
    for (int trial = 0; trial < 300; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        const BinaryProgram program = assignment_test::random_feasible_program(engine, random_shape(engine));
        std::vector<int> randomised;
        bool random_found = true;
        try {
            RandomGreedyBinaryProgramSolver().solve(program, random, randomised);
            EXPECT_TRUE(program.is_exact_cover(randomised));
        } catch (const util::Exception& error) {
            EXPECT_STREQ(error.what(), "problem in RandomGreedyBinaryProgramSolver");
            random_found = false;
        }
        std::vector<int> plain;
        try {
            plain = dispatched_greedy(program);
        } catch (const util::Exception& error) {
            EXPECT_STREQ(error.what(), "problem in GreedyBinaryProgramSolver");
            continue;
        }
        ++greedy_covers;
        ASSERT_TRUE(program.is_exact_cover(plain));
        ASSERT_TRUE(random_found);
        EXPECT_GE(program.total_score(randomised), program.total_score(plain));
        if (program.total_score(randomised) > program.total_score(plain) + 1e-9) ++improvements;
    }
    EXPECT_GT(greedy_covers, 150);
    EXPECT_GT(improvements, 0);  // the random passes do find better covers
}

TEST(RandomGreedySolver, OnePassIsThePlainNormalisedGreedy) {
    std::mt19937 engine(8);
    nmrc::UniformGenerator random(3);
    for (int trial = 0; trial < 100; ++trial) {
        const BinaryProgram program = assignment_test::random_feasible_program(engine, random_shape(engine));
        std::vector<int> plain, single;
        try {
            plain = dispatched_greedy(program);
        } catch (const util::Exception&) {
            continue;
        }
        RandomGreedyBinaryProgramSolver(1, 3).solve(program, random, single);
        EXPECT_EQ(single, plain);
    }
}

TEST(RandomGreedySolver, SameSeedGivesTheSameCover) {
    std::mt19937 engine(17);
    for (int trial = 0; trial < 30; ++trial) {
        const BinaryProgram program = assignment_test::random_feasible_program(engine, random_shape(engine));
        std::vector<int> first, second;
        nmrc::UniformGenerator a(777), b(777);
        try {
            RandomGreedyBinaryProgramSolver(8, 4).solve(program, a, first);
        } catch (const util::Exception&) {
            continue;
        }
        RandomGreedyBinaryProgramSolver(8, 4).solve(program, b, second);
        EXPECT_EQ(first, second);
    }
}

}  // namespace
