#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "support/expect_message.h"
#include "support/temp_dir.h"
#include "tracker/assignment/linear_program.h"
#include "tracker/assignment/linear_program_solver.h"

namespace {

using ostrel::BinaryProgram;
using ostrel::LinearProgram;
using ostrel::LinearProgramSolver;

// Columns 0 and 1 of scores 1 and 2, one row "x0 + x1 = 1".
BinaryProgram two_columns_one_row(int type) {
    BinaryProgram program(2, type);
    program.set_score(0, 1.0);
    program.set_score(1, 2.0);
    program.add_row({0, 1});
    return program;
}

TEST(LinearProgramSolver, SolvesInTheDirectionOfTheOptimizationType) {
    const struct {
        int type;
        std::vector<double> values;
        double objective;
    } cases[] = {
        {BinaryProgram::kMaximize, {0.0, 1.0}, 2.0},
        {BinaryProgram::kMinimize, {1.0, 0.0}, 1.0},
    };
    for (const auto& c : cases) {
        for (bool integer : {true, false}) {
            std::vector<double> values;
            const double objective = LinearProgramSolver().solve(
                ostrel::make_linear_program(two_columns_one_row(c.type), integer), values);
            EXPECT_NEAR(objective, c.objective, 1e-9);
            ASSERT_EQ(values.size(), c.values.size());
            for (std::size_t j = 0; j < values.size(); ++j) EXPECT_NEAR(values[j], c.values[j], 1e-9);
        }
    }
}

TEST(LinearProgramSolver, RelaxationReturnsFractionalColumnValues) {
    // x0 + x1 = x1 + x2 = x0 + x2 = 1 has the single solution x = 1/2.
    BinaryProgram program(3);
    for (int j = 0; j < 3; ++j) program.set_score(j, 1.0);
    program.add_row({0, 1});
    program.add_row({1, 2});
    program.add_row({0, 2});
    std::vector<double> values{7.0};
    const double objective =
        LinearProgramSolver().solve(ostrel::make_linear_program(program, false), values);
    EXPECT_NEAR(objective, 1.5, 1e-9);
    ASSERT_EQ(values.size(), 3u);
    for (double v : values) EXPECT_NEAR(v, 0.5, 1e-9);
    // The same rows admit no integer solution.
    EXPECT_MESSAGE(LinearProgramSolver().solve(ostrel::make_linear_program(program, true), values),
                   "lp_solve infeasible failure");
}

TEST(LinearProgramSolver, RowWithoutEntriesIsInfeasible) {
    BinaryProgram program(2);
    program.add_row({0, 1});
    program.add_row({});
    std::vector<double> values;
    EXPECT_MESSAGE(LinearProgramSolver().solve(ostrel::make_linear_program(program, false), values),
                   "lp_solve infeasible failure");
}

TEST(LinearProgramSolver, FiniteUpperBoundIsHonoured) {
    LinearProgram lp = ostrel::make_linear_program(two_columns_one_row(BinaryProgram::kMaximize), false);
    lp.upper_bounds[1] = 0.25;
    std::vector<double> values;
    EXPECT_NEAR(LinearProgramSolver().solve(lp, values), 0.75 * 1.0 + 0.25 * 2.0, 1e-9);
}

TEST(LinearProgramSolver, RejectsMalformedPrograms) {
    const LinearProgram good = ostrel::make_linear_program(two_columns_one_row(1), true);
    LinearProgram short_bounds = good;
    short_bounds.upper_bounds.pop_back();
    LinearProgram bad_column = good;
    bad_column.rows[0].columns[1] = 2;
    LinearProgram bad_type = good;
    bad_type.optimization_type = 2;
    const struct {
        const LinearProgram* program;
        const char* message;
    } cases[] = {
        {&short_bounds,
         "LinearProgram bounds or integer flags differ in size from the objective: column count = 2"},
        {&bad_column, "LinearProgram row names a column out of range: row = 0, column = 2"},
        {&bad_type, "unknown optimization type"},
    };
    for (const auto& c : cases) {
        std::vector<double> values;
        EXPECT_MESSAGE(LinearProgramSolver().solve(*c.program, values), c.message);
    }
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(LinearProgramFile, WritesObjectiveRowsAndIntegerDeclarations) {
    test_support::TempDir dir("lp_file");
    const BinaryProgram program = two_columns_one_row(BinaryProgram::kMaximize);
    ostrel::write_lp_file(ostrel::make_linear_program(program, true), (dir.path() / "int.lp").string());
    ostrel::write_lp_file(ostrel::make_linear_program(program, false), (dir.path() / "real.lp").string());

    const std::string integer = read_file(dir.path() / "int.lp");
    const std::string relaxed = read_file(dir.path() / "real.lp");
    EXPECT_NE(integer.find("max: +C1 +2 C2;"), std::string::npos) << integer;
    EXPECT_NE(integer.find("+C1 +C2 = 1;"), std::string::npos) << integer;
    EXPECT_NE(integer.find("int C1,C2;"), std::string::npos) << integer;
    EXPECT_NE(relaxed.find("max: +C1 +2 C2;"), std::string::npos) << relaxed;
    EXPECT_EQ(relaxed.find("int "), std::string::npos) << relaxed;
}

TEST(LinearProgramFile, UnwritablePathIsNamed) {
    test_support::TempDir dir("lp_file_missing");
    const std::string path = (dir.path() / "no_such_folder" / "1.lp").string();
    EXPECT_MESSAGE(ostrel::write_lp_file(ostrel::make_linear_program(two_columns_one_row(1), true), path),
                   "unable to write lp file: path = " + path);
}

}  // namespace
