#pragma once
#include <functional>
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// An independent part of a binary program: the rows and columns of one
// connected component of the graph in which a column is joined to the rows
// that contain it. Column j of `program` is column `columns[j]` of the whole;
// columns and rows keep their relative order.
struct ProgramCluster {
    BinaryProgram program;
    std::vector<int> columns;
};

// Splits the program into its connected components, ordered by their first
// row; a column that lies in no row forms a cluster of its own, after them.
std::vector<ProgramCluster> split_into_clusters(const BinaryProgram& program);

using ClusterSolver = std::function<std::vector<int>(const BinaryProgram&)>;

// Solves every cluster on its own and returns the chosen columns of the
// whole program in increasing order. Since no row spans two clusters, the
// best cover of the whole is the union of the best covers of the clusters.
// A cluster of a single non-empty row is settled directly: its best member
// (the lowest column among equals).
std::vector<int> solve_by_clusters(const BinaryProgram& program, const ClusterSolver& solve_cluster);

}  // namespace ostrel
