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

namespace {

// The clusters as index lists: cluster k has the rows rows[row_start[k] ..
// row_start[k + 1]) and the columns columns[column_start[k] ..
// column_start[k + 1]), in increasing order, clusters ordered by their first
// row; the columns in no row come after, each a cluster of its own. Built
// with counting sorts, so that a frame of thousands of one-row clusters
// costs a few arrays rather than two vectors per row.
struct ClusterLayout {
    std::vector<int> row_start{0}, rows;
    std::vector<int> column_start{0}, columns;
    std::vector<int> rowless;
    int count() const { return static_cast<int>(row_start.size()) - 1; }
};

ClusterLayout cluster_layout(const BinaryProgram& program) {
    const int n = program.column_count();
    const int m = program.row_count();
    RowSets sets(m);
    for (int column = 0; column < n; ++column) {
        const IndexList rows = program.column_rows(column);
        for (std::size_t k = 1; k < rows.size(); ++k) sets.join(rows[0], rows[k]);
    }
    // Clusters are numbered by their first row, which names their set.
    std::vector<int> cluster_of_set(m, -1);
    std::vector<int> row_cluster(m);
    int clusters = 0;
    for (int r = 0; r < m; ++r) {
        const int set = sets.find(r);
        if (cluster_of_set[set] < 0) cluster_of_set[set] = clusters++;
        row_cluster[r] = cluster_of_set[set];
    }
    ClusterLayout layout;
    layout.row_start.assign(clusters + 1, 0);
    layout.column_start.assign(clusters + 1, 0);
    std::vector<int> column_cluster(n, -1);
    for (int r = 0; r < m; ++r) ++layout.row_start[row_cluster[r] + 1];
    for (int column = 0; column < n; ++column) {
        const IndexList rows = program.column_rows(column);
        if (rows.empty()) {
            layout.rowless.push_back(column);
            continue;
        }
        column_cluster[column] = row_cluster[rows[0]];
        ++layout.column_start[column_cluster[column] + 1];
    }
    for (int k = 0; k < clusters; ++k) {
        layout.row_start[k + 1] += layout.row_start[k];
        layout.column_start[k + 1] += layout.column_start[k];
    }
    layout.rows.resize(m);
    layout.columns.resize(static_cast<std::size_t>(layout.column_start[clusters]));
    std::vector<int> next(layout.row_start.begin(), layout.row_start.end() - 1);
    for (int r = 0; r < m; ++r) layout.rows[next[row_cluster[r]]++] = r;
    next.assign(layout.column_start.begin(), layout.column_start.end() - 1);
    for (int column = 0; column < n; ++column)
        if (column_cluster[column] >= 0) layout.columns[next[column_cluster[column]]++] = column;
    return layout;
}

std::vector<int> slice(const std::vector<int>& all, const std::vector<int>& start, int k) {
    return {all.begin() + start[k], all.begin() + start[k + 1]};
}

}  // namespace

std::vector<ProgramCluster> split_into_clusters(const BinaryProgram& program) {
    const ClusterLayout layout = cluster_layout(program);
    std::vector<ProgramCluster> clusters;
    std::vector<int> local_index(program.column_count(), -1);
    for (int k = 0; k < layout.count(); ++k)
        clusters.push_back(make_cluster(program, slice(layout.columns, layout.column_start, k),
                                        slice(layout.rows, layout.row_start, k), local_index));
    for (int column : layout.rowless) clusters.push_back(make_cluster(program, {column}, {}, local_index));
    return clusters;
}

std::vector<int> solve_by_clusters(const BinaryProgram& program, const ClusterSolver& solve_cluster) {
    const ClusterLayout layout = cluster_layout(program);
    std::vector<int> chosen;
    std::vector<int> local_index(program.column_count(), -1);
    auto solve = [&](const ProgramCluster& cluster) {
        for (int local : solve_cluster(cluster.program)) chosen.push_back(cluster.columns.at(local));
    };
    for (int k = 0; k < layout.count(); ++k) {
        // A single row is settled by its best member; columns keep their
        // order in a cluster, so the lowest among equals is the same one.
        if (layout.row_start[k + 1] - layout.row_start[k] == 1) {
            const IndexList row = program.row(layout.rows[layout.row_start[k]]);
            if (!row.empty()) {
                chosen.push_back(best_member(program, row));
                continue;
            }
        }
        solve(make_cluster(program, slice(layout.columns, layout.column_start, k),
                           slice(layout.rows, layout.row_start, k), local_index));
    }
    for (int column : layout.rowless) solve(make_cluster(program, {column}, {}, local_index));
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

}  // namespace ostrel
