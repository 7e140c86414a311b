#include <gtest/gtest.h>

#include <random>

#include "tracker/assignment/branch_and_bound_binary_program_solver.h"
#include "tracker/assignment/linear_program_assignment.h"
#include "tracker/assignment/program_clusters.h"
#include "tracker/assignment/random_programs.h"

namespace {

using ostrel::BinaryProgram;

TEST(ProgramClusters, SplitsIntoConnectedComponentsInRowOrder) {
    // Rows {0, 3}, {5}, {3, 6}, {1}; columns 2 and 4 lie in no row.
    BinaryProgram program(7);
    for (int j = 0; j < 7; ++j) program.set_score(j, 10.0 + j);
    program.add_row({0, 3});
    program.add_row({5});
    program.add_row({6, 3});
    program.add_row({1});

    const std::vector<ostrel::ProgramCluster> clusters = ostrel::split_into_clusters(program);
    const struct {
        std::vector<int> columns;
        std::vector<std::vector<int>> rows;  // in cluster numbering
    } expected[] = {
        {{0, 3, 6}, {{0, 1}, {2, 1}}},
        {{5}, {{0}}},
        {{1}, {{0}}},
        {{2}, {}},
        {{4}, {}},
    };
    ASSERT_EQ(clusters.size(), std::size(expected));
    for (std::size_t k = 0; k < clusters.size(); ++k) {
        SCOPED_TRACE("cluster " + std::to_string(k));
        const ostrel::ProgramCluster& cluster = clusters[k];
        EXPECT_EQ(cluster.columns, expected[k].columns);
        ASSERT_EQ(cluster.program.row_count(), static_cast<int>(expected[k].rows.size()));
        for (int r = 0; r < cluster.program.row_count(); ++r)
            EXPECT_EQ(cluster.program.row(r).to_vector(), expected[k].rows[r]);
        for (std::size_t j = 0; j < cluster.columns.size(); ++j)
            EXPECT_EQ(cluster.program.coefficient(j), 10.0 + cluster.columns[j]);
    }
}

TEST(ProgramClusters, SingleRowClusterTakesItsBestMemberLowestFirst) {
    BinaryProgram program(4);
    program.set_objective({1.0, 4.0, 4.0, 2.0});
    program.add_row({2, 1, 0});
    program.add_row({3});
    bool called = false;
    const std::vector<int> chosen = ostrel::solve_by_clusters(program, [&](const BinaryProgram&) {
        called = true;
        return std::vector<int>{};
    });
    EXPECT_EQ(chosen, (std::vector<int>{1, 3}));
    EXPECT_FALSE(called);
}

std::vector<int> branch_and_bound(const BinaryProgram& program) {
    std::vector<int> chosen;
    ostrel::BranchAndBoundBinaryProgramSolver().solve(program, chosen);
    return chosen;
}

TEST(ProgramClusters, ClusterBySolvingReachesTheWholeProgramOptimum) {
    std::mt19937 engine(61);
    const ostrel::ClusterSolver solvers[] = {branch_and_bound, ostrel::solve_integer_program};
    for (int trial = 0; trial < 60; ++trial) {
        SCOPED_TRACE("trial " + std::to_string(trial));
        assignment_test::ProgramShape shape;
        shape.rows = std::uniform_int_distribution<int>(1, 5)(engine);
        shape.extra_columns = std::uniform_int_distribution<int>(0, 6)(engine);
        shape.integer_scores = trial % 2 == 0;
        const BinaryProgram program = assignment_test::random_clustered_program(engine, shape, 3);
        ASSERT_GE(ostrel::split_into_clusters(program).size(), 3u);
        for (const ostrel::ClusterSolver& solve : solvers) {
            const std::vector<int> whole = solve(program);
            const std::vector<int> parts = ostrel::solve_by_clusters(program, solve);
            ASSERT_TRUE(program.is_exact_cover(parts));
            EXPECT_NEAR(program.total_score(parts), program.total_score(whole), 1e-6);
        }
    }
}

}  // namespace
