#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "support/expect_message.h"
#include "tracker/assignment/assignment_solver.h"
#include "tracker/assignment/binary_program.h"
#include "tracker/assignment/greedy_pass.h"

namespace {

using ostrel::AssignmentAlgorithm;
using ostrel::BinaryProgram;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kLimit = BinaryProgram::kScoreLimit;

TEST(BinaryProgram, ScoresAreClampedToFiniteValues) {
    const struct {
        double score;
        double stored;
    } cases[] = {
        {-kInf, -kLimit}, {kInf, kLimit}, {std::nan(""), -kLimit},
        {-2.5, -2.5},     {3e12, kLimit}, {-kLimit, -kLimit},
    };
    BinaryProgram program(1);
    std::vector<double> whole;
    for (const auto& c : cases) {
        program.set_score(0, c.score);
        EXPECT_EQ(program.coefficient(0), c.stored) << c.score;
        whole.push_back(c.score);
    }
    BinaryProgram all(static_cast<int>(whole.size()));
    all.set_objective(whole);
    for (std::size_t j = 0; j < whole.size(); ++j) EXPECT_EQ(all.coefficient(j), cases[j].stored);
}

TEST(BinaryProgram, IndexesTheRowsOfEveryColumn) {
    BinaryProgram program(4);
    program.add_row({2, 0});
    program.add_row({1, 2});
    EXPECT_EQ(program.row(0).to_vector(), (std::vector<int>{2, 0}));
    EXPECT_EQ(program.column_rows(0).to_vector(), (std::vector<int>{0}));
    EXPECT_EQ(program.column_rows(1).to_vector(), (std::vector<int>{1}));
    EXPECT_EQ(program.column_rows(2).to_vector(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(program.column_rows(3).empty());

    // The index follows rows added after it was read, including a row of
    // the program itself added again (its storage may move meanwhile).
    for (int k = 0; k < 100; ++k) program.add_row(program.row(1));
    EXPECT_EQ(program.row(101).to_vector(), (std::vector<int>{1, 2}));
    EXPECT_EQ(program.column_rows(1).size(), 101u);
    EXPECT_EQ(program.column_rows(2)[101], 101);
}

TEST(BinaryProgram, ExactCoverTakesOneMemberOfEveryRow) {
    BinaryProgram program(4);
    program.add_row({0, 1});
    program.add_row({1, 2});
    const struct {
        std::vector<int> chosen;
        bool cover;
    } cases[] = {
        {{1}, true},     {{0, 2}, true},  {{1, 3}, true},  {{0}, false},
        {{0, 1}, false}, {{1, 1}, false}, {{4}, false},    {{}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(program.is_exact_cover(c.chosen), c.cover) << testing::PrintToString(c.chosen);
}

TEST(BinaryProgram, RejectsMalformedInputNamingTheValue) {
    BinaryProgram program(3);
    const struct {
        std::function<void()> action;
        const char* message;
    } cases[] = {
        {[] { BinaryProgram(-1); }, "BinaryProgram column count is negative: column count = -1"},
        {[] { BinaryProgram(2, 3); }, "unknown optimization type: optimization type = 3"},
        {[&] { program.add_row({0, 3}); },
         "BinaryProgram column out of range: column = 3, column count = 3"},
        {[&] { program.add_row({1, 0, 1}); }, "BinaryProgram row lists a column twice: column = 1"},
        {[&] { program.set_score(-1, 0.0); },
         "BinaryProgram column out of range: column = -1, column count = 3"},
        {[&] { program.set_objective({1.0}); },
         "BinaryProgram objective size differs from column count: size = 1, column count = 3"},
    };
    for (const auto& c : cases) EXPECT_MESSAGE(c.action(), c.message);
    EXPECT_EQ(program.row_count(), 0);  // rejected rows leave no trace
    for (int column = 0; column < 3; ++column) EXPECT_TRUE(program.column_rows(column).empty()) << column;
    EXPECT_EQ(program.add_row({1, 0}), 0);
    EXPECT_EQ(program.column_rows(1).to_vector(), (std::vector<int>{0}));
}

// Row 0 = {0, 1}, row 1 = {1, 2}, row 2 = {3, 4}; columns 0, 3 and 4 score
// minus infinity. The best cover is column 1 with one of 3 or 4.
BinaryProgram program_with_minus_infinity() {
    BinaryProgram program(5);
    program.set_objective({-kInf, 1.0, 5.0, -kInf, -kInf});
    program.add_row({0, 1});
    program.add_row({1, 2});
    program.add_row({3, 4});
    return program;
}

TEST(BinaryProgram, MinusInfinityScoresKeepTheNormalisationFinite) {
    // Without clamping, column 3 would subtract -inf from -inf.
    const std::vector<double> c = ostrel::normalised_coefficients(program_with_minus_infinity());
    for (double v : c) EXPECT_TRUE(std::isfinite(v)) << v;
    // c1 = 1 - (-1e9) - 5, since columns 0 and 2 each lie in one of its rows.
    EXPECT_EQ(c, (std::vector<double>{0.0, 1.0 + kLimit - 5.0, 0.0, 0.0, 0.0}));
}

TEST(BinaryProgram, MinusInfinityScoresLeaveEverySolverAFiniteBestCover) {
    const BinaryProgram program = program_with_minus_infinity();
    for (AssignmentAlgorithm algorithm :
         {AssignmentAlgorithm::greedy, AssignmentAlgorithm::hybrid, AssignmentAlgorithm::optimal,
          AssignmentAlgorithm::branch_and_bound, AssignmentAlgorithm::random_greedy}) {
        SCOPED_TRACE(ostrel::assignment_algorithm_text(algorithm));
        ostrel::AssignmentSolver solver(algorithm);
        const std::vector<int> chosen = solver.solve(program, 0);
        ASSERT_TRUE(program.is_exact_cover(chosen));
        EXPECT_DOUBLE_EQ(program.total_score(chosen), 1.0 - kLimit);
    }
}

}  // namespace
