#include "tracker/assignment/program_clusters.h"

#include <algorithm>
#include <numeric>

namespace ostrel {
namespace {

// Union-find over the rows, with path halving.
class RowSets {
public:
    explicit RowSets(int count) : parent_(count) { std::iota(parent_.begin(), parent_.end(), 0); }
    int find(int row) {
        while (parent_[row] != row) row = parent_[row] = parent_[parent_[row]];
        return row;
    }
    // The smaller row becomes the representative, so a set is named by its first row.
    void join(int a, int b) {
        a = find(a);
        b = find(b);
        if (a != b) parent_[std::max(a, b)] = std::min(a, b);
    }

private:
    std::vector<int> parent_;
};

ProgramCluster make_cluster(const BinaryProgram& whole, const std::vector<int>& columns,
                            const std::vector<int>& rows, std::vector<int>& local_index) {
    ProgramCluster cluster{BinaryProgram(static_cast<int>(columns.size()),
                                         whole.optimization_type()),
                           columns};
    for (std::size_t j = 0; j < columns.size(); ++j) {
        local_index[columns[j]] = static_cast<int>(j);
        cluster.program.set_score(static_cast<int>(j), whole.coefficient(columns[j]));
    }
    for (int r : rows) {
        std::vector<int> members;
        members.reserve(whole.row(r).size());
        for (int column : whole.row(r)) members.push_back(local_index[column]);
        cluster.program.add_row(members);
    }
    return cluster;
}

// Index of the best member of a single row: largest coefficient when
// maximizing, smallest when minimizing; the lowest column among equals.
int best_member(const BinaryProgram& program, IndexList members) {
    const bool maximize = program.optimization_type() == BinaryProgram::kMaximize;
    int best = members.front();
    for (int column : members) {
        const double c = program.coefficient(column);
        const double b = program.coefficient(best);
        if ((maximize ? c > b : c < b) || (c == b && column < best)) best = column;
    }
    return best;
}

}  // namespace

std::vector<ProgramCluster> split_into_clusters(const BinaryProgram& program) {
    const int n = program.column_count();
    const int m = program.row_count();
    RowSets sets(m);
    for (int column = 0; column < n; ++column) {
        const IndexList rows = program.column_rows(column);
        for (std::size_t k = 1; k < rows.size(); ++k) sets.join(rows[0], rows[k]);
    }

    // Group rows and columns by the first row of their set.
    std::vector<std::vector<int>> rows_of(m), columns_of(m);
    std::vector<int> rowless;
    for (int r = 0; r < m; ++r) rows_of[sets.find(r)].push_back(r);
    for (int column = 0; column < n; ++column) {
        const IndexList rows = program.column_rows(column);
        if (rows.empty())
            rowless.push_back(column);
        else
            columns_of[sets.find(rows[0])].push_back(column);
    }

    std::vector<ProgramCluster> clusters;
    std::vector<int> local_index(n, -1);
    for (int r = 0; r < m; ++r)
        if (!rows_of[r].empty())
            clusters.push_back(make_cluster(program, columns_of[r], rows_of[r], local_index));
    for (int column : rowless) clusters.push_back(make_cluster(program, {column}, {}, local_index));
    return clusters;
}

std::vector<int> solve_by_clusters(const BinaryProgram& program, const ClusterSolver& solve_cluster) {
    std::vector<int> chosen;
    for (const ProgramCluster& cluster : split_into_clusters(program)) {
        const BinaryProgram& part = cluster.program;
        if (part.row_count() == 1 && !part.row(0).empty()) {
            chosen.push_back(cluster.columns[best_member(part, part.row(0))]);
            continue;
        }
        for (int local : solve_cluster(part)) chosen.push_back(cluster.columns.at(local));
    }
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

}  // namespace ostrel
