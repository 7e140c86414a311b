// lp_solve's branch and bound stops at a node limit, so that "optimal" can
// never keep a run busy for hours on a cluster of near-equal hypotheses.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/expect_message.h"
#include "support/run_command.h"
#include "support/temp_dir.h"
#include "tracker/assignment/linear_program.h"
#include "tracker/assignment/linear_program_assignment.h"
#include "tracker/assignment/linear_program_solver.h"

namespace {

using ostrel::BinaryProgram;

// The relaxation's only optimum puts 1/2 on columns 0, 1 and 2 (score
// 3/2), so the integer optimum (columns 0 and 4, score 1) needs branching.
BinaryProgram odd_cycle() {
    BinaryProgram program(5);
    for (int j : {0, 1, 2}) program.set_score(j, 1.0);
    program.add_row({0, 1, 3});
    program.add_row({1, 2, 3, 4});
    program.add_row({0, 2, 3});
    return program;
}

TEST(BranchNodeLimit, SearchStopsAtTheLimitAndSaysSo) {
    const ostrel::LinearProgram lp = ostrel::make_linear_program(odd_cycle(), true);
    std::vector<double> values;

    ostrel::LinearProgramSolver unlimited;
    EXPECT_NEAR(unlimited.solve(lp, values), 1.0, 1e-9);
    EXPECT_FALSE(unlimited.node_limit_reached());

    ostrel::LinearProgramSolver limited(1);
    EXPECT_MESSAGE(limited.solve(lp, values), "lp_solve node limit failure");
    EXPECT_TRUE(limited.node_limit_reached());
}

TEST(BranchNodeLimit, ShrinksAsTheProgramGrowsButNeverBelowAFloor) {
    EXPECT_GT(ostrel::branch_node_limit(BinaryProgram(10)), ostrel::branch_node_limit(BinaryProgram(1000)));
    EXPECT_EQ(ostrel::branch_node_limit(BinaryProgram(30'000)), ostrel::branch_node_limit(BinaryProgram(60'000)));
    EXPECT_GT(ostrel::branch_node_limit(BinaryProgram(60'000)), 0);
}

// Found by fuzzing: the simulated scenario with its targets crowded into a
// band 10 pixels wide. Its clusters hold thousands of near-equal hypotheses,
// on which branch and bound did not finish in hours. It now stops at the
// node limit, the run completes, and the run says once what happened.
TEST(BranchNodeLimit, CrowdedScenarioFinishesWithOneWarning) {
    namespace fs = std::filesystem;
    test_support::TempDir root("crowded_scenario");
    std::ifstream shipped(fs::path(OSTREL_SOURCE_DIR) / "examples" / "scenario" / "scenario.xml");
    std::string config((std::istreambuf_iterator<char>(shipped)), std::istreambuf_iterator<char>());
    const auto replace = [&config](const std::string& from, const std::string& to) {
        const auto at = config.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        config.replace(at, from.size(), to);
    };
    replace("<steps>40</steps>", "<steps>5</steps>");
    replace("<targets>10</targets>", "<targets>32</targets>");
    replace("<position_sigma>100 100</position_sigma>", "<position_sigma>10 100</position_sigma>");
    ASSERT_NE(config.find("<assignment_algorithm>optimal</assignment_algorithm>"), std::string::npos);
    std::ofstream(root.path() / "crowded.xml") << config;

    const auto run = test_support::run_command(
        "OSTREL_SEED=3 XDG_DATA_HOME='" + root.str() + "/data' " + test_support::ostrel_binary() + " crowded.xml",
        root.str());
    EXPECT_EQ(run.status, 0) << run.err;
    const auto first = run.out.find("warning: the \"optimal\" assignment stopped its branch and bound");
    ASSERT_NE(first, std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("stopped its branch and bound", first + 50), std::string::npos);
}

}  // namespace
