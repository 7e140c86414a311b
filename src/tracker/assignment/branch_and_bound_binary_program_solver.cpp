#include "tracker/assignment/branch_and_bound_binary_program_solver.h"

#include <algorithm>
#include <limits>

#include "util/exception.h"

namespace ostrel {
namespace {

class Search {
public:
    explicit Search(const BinaryProgram& program)
        : program_(program),
          sign_(program.optimization_type() == BinaryProgram::kMaximize ? 1.0 : -1.0),
          row_covered_(program.row_count(), 0),
          blocked_(program.column_count(), 0),
          share_(program.column_count(), 0.0) {
        // A column's total splits evenly over its rows, so the sum over the
        // uncovered rows of the best share is an upper bound of any
        // completion: sum_r c_r / |rows(c_r)| = sum of the chosen c.
        for (int j = 0; j < program.column_count(); ++j) {
            const auto rows = program.column_rows(j).size();
            if (rows > 0) share_[j] = value(j) / static_cast<double>(rows);
        }
    }

    bool run() {
        descend(0.0, program_.row_count());
        return found_;
    }
    const std::vector<int>& best() const { return best_; }

private:
    // The coefficient turned so that larger is always better.
    double value(int column) const { return sign_ * program_.coefficient(column); }

    void descend(double score, int uncovered) {
        if (uncovered == 0) {
            if (!found_ || score > best_score_) {
                found_ = true;
                best_score_ = score;
                best_ = path_;
            }
            return;
        }
        int branch_row = -1;
        std::size_t fewest = std::numeric_limits<std::size_t>::max();
        double bound = score;
        for (int r = 0; r < program_.row_count(); ++r) {
            if (row_covered_[r]) continue;
            std::size_t candidates = 0;
            double best_share = -std::numeric_limits<double>::infinity();
            for (int column : program_.row(r)) {
                if (blocked_[column]) continue;
                ++candidates;
                best_share = std::max(best_share, share_[column]);
            }
            if (candidates == 0) return;  // this row can no longer be covered
            bound += best_share;
            if (candidates < fewest) {
                fewest = candidates;
                branch_row = r;
            }
        }
        if (found_ && bound <= best_score_) return;

        std::vector<int> candidates;
        for (int column : program_.row(branch_row))
            if (!blocked_[column]) candidates.push_back(column);
        std::stable_sort(candidates.begin(), candidates.end(),
                         [&](int a, int b) { return value(a) > value(b); });
        for (int column : candidates) {
            const int rows = take(column, +1);
            path_.push_back(column);
            descend(score + value(column), uncovered - rows);
            path_.pop_back();
            take(column, -1);
        }
    }

    // Covers (+1) or uncovers (-1) the rows of the column and blocks or
    // frees every column that shares one of them; returns the row count.
    int take(int column, int direction) {
        const std::vector<int>& rows = program_.column_rows(column);
        for (int r : rows) {
            row_covered_[r] = direction > 0;
            for (int member : program_.row(r)) blocked_[member] += direction;
        }
        return static_cast<int>(rows.size());
    }

    const BinaryProgram& program_;
    const double sign_;
    std::vector<char> row_covered_;
    std::vector<int> blocked_;  // how many covered rows hold the column
    std::vector<double> share_;
    std::vector<int> path_;
    std::vector<int> best_;
    double best_score_ = 0.0;
    bool found_ = false;
};

}  // namespace

void BranchAndBoundBinaryProgramSolver::solve(const BinaryProgram& program,
                                              std::vector<int>& chosen) const {
    Search search(program);
    if (!search.run()) throw util::Exception("problem in BranchAndBoundBinaryProgramSolver");
    std::vector<int> cover = search.best();
    const double sign = program.optimization_type() == BinaryProgram::kMaximize ? 1.0 : -1.0;
    for (int j = 0; j < program.column_count(); ++j)
        if (program.column_rows(j).empty() && sign * program.coefficient(j) > 0.0) cover.push_back(j);
    std::sort(cover.begin(), cover.end());
    chosen.insert(chosen.end(), cover.begin(), cover.end());
}

}  // namespace ostrel
