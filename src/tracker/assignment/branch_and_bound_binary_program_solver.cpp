#include "tracker/assignment/branch_and_bound_binary_program_solver.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "tracker/assignment/relaxation_row_prices.h"
#include "util/exception.h"

namespace ostrel {
namespace {

// Margin, relative to the magnitudes summed in a bound, by which the bound
// must fall short of the incumbent before a branch is cut: it absorbs the
// rounding of those sums, so no better cover is lost to it.
constexpr double kRelativeMargin = 1e-10;

class Search {
public:
    explicit Search(const BinaryProgram& program)
        : program_(program),
          sign_(program.optimization_type() == BinaryProgram::kMaximize ? 1.0 : -1.0),
          row_covered_(program.row_count(), 0),
          blocked_(program.column_count(), 0),
          value_(program.column_count()),
          share_(program.column_count(), 0.0),
          reduced_(program.column_count(), 0.0),
          reduced_share_(program.column_count(), 0.0) {
        for (int j = 0; j < program.column_count(); ++j) value_[j] = sign_ * program.coefficient(j);
        prices_ = relaxation_row_prices(program, value_);
        has_prices_ = !prices_.empty();
        if (!has_prices_) prices_.assign(program.row_count(), 0.0);

        // Any row prices u split a cover's total exactly:
        //   sum_{chosen j} v_j = sum_r u_r + sum_{chosen j} d_j,  d_j = v_j - sum_{r in rows(j)} u_r,
        // and d_j spreads evenly over the rows of j, one chosen column per
        // row. So sum_r (u_r + max_{j in r} d_j / |rows(j)|) over the
        // uncovered rows bounds every completion; u = 0 gives the even
        // share of the scores themselves.
        for (int j = 0; j < program.column_count(); ++j) {
            const IndexList rows = program.column_rows(j);
            if (rows.empty()) continue;
            double priced = 0.0;
            for (int r : rows) priced += prices_[r];
            const double count = static_cast<double>(rows.size());
            share_[j] = value_[j] / count;
            reduced_[j] = value_[j] - priced;
            reduced_share_[j] = reduced_[j] / count;
        }
        // Every term of a bound or of a cover's total is at most
        // |u_r| + max_{j in r} |v_j| per row in size.
        double magnitude = 1.0;
        for (int r = 0; r < program.row_count(); ++r) {
            double largest = 0.0;
            for (int column : program.row(r)) largest = std::max(largest, std::fabs(value_[column]));
            magnitude += std::fabs(prices_[r]) + largest;
        }
        margin_ = kRelativeMargin * magnitude;
    }

    bool run() {
        start_with_greedy_covers();
        descend(0.0, program_.row_count());
        return found_;
    }
    const std::vector<int>& best() const { return best_; }

private:
    // Greedy passes by reduced score (the relaxation's choice) and by score
    // give the search an incumbent to cut against from the first node on.
    void start_with_greedy_covers() {
        std::vector<int> order;
        for (int j = 0; j < program_.column_count(); ++j)
            if (!program_.column_rows(j).empty()) order.push_back(j);
        if (has_prices_) {
            std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return better(a, b); });
            try_greedy(order);
        }
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return value_[a] > value_[b]; });
        try_greedy(order);
    }

    void try_greedy(const std::vector<int>& order) {
        std::vector<int> picked;
        double score = 0.0;
        int uncovered = program_.row_count();
        for (int column : order) {
            if (blocked_[column]) continue;
            uncovered -= take(column, +1);
            picked.push_back(column);
            score += value_[column];
        }
        for (int column : picked) take(column, -1);
        if (uncovered == 0) record(picked, score);
    }

    // Candidate order: reduced score first (the columns of the relaxation's
    // optimum have 0, the largest), then score.
    bool better(int a, int b) const {
        if (reduced_[a] != reduced_[b]) return reduced_[a] > reduced_[b];
        return value_[a] > value_[b];
    }

    void record(const std::vector<int>& cover, double score) {
        if (found_ && score <= best_score_) return;
        found_ = true;
        best_score_ = score;
        best_ = cover;
    }

    void descend(double score, int uncovered) {
        if (uncovered == 0) {
            record(path_, score);
            return;
        }
        int branch_row = -1;
        std::size_t fewest = std::numeric_limits<std::size_t>::max();
        double share_bound = score;
        double priced_bound = score;
        for (int r = 0; r < program_.row_count(); ++r) {
            if (row_covered_[r]) continue;
            std::size_t candidates = 0;
            double best_share = -std::numeric_limits<double>::infinity();
            double best_reduced = -std::numeric_limits<double>::infinity();
            for (int column : program_.row(r)) {
                if (blocked_[column]) continue;
                ++candidates;
                best_share = std::max(best_share, share_[column]);
                best_reduced = std::max(best_reduced, reduced_share_[column]);
            }
            if (candidates == 0) return;  // this row can no longer be covered
            share_bound += best_share;
            priced_bound += prices_[r] + best_reduced;
            if (candidates < fewest) {
                fewest = candidates;
                branch_row = r;
            }
        }
        if (found_ && std::min(share_bound, priced_bound) + margin_ <= best_score_) return;

        std::vector<int> candidates;
        for (int column : program_.row(branch_row))
            if (!blocked_[column]) candidates.push_back(column);
        std::stable_sort(candidates.begin(), candidates.end(),
                         [&](int a, int b) { return better(a, b); });
        for (int column : candidates) {
            const int rows = take(column, +1);
            path_.push_back(column);
            descend(score + value_[column], uncovered - rows);
            path_.pop_back();
            take(column, -1);
        }
    }

    // Covers (+1) or uncovers (-1) the rows of the column and blocks or
    // frees every column that shares one of them; returns the row count.
    int take(int column, int direction) {
        const IndexList rows = program_.column_rows(column);
        for (int r : rows) {
            row_covered_[r] = direction > 0;
            for (int member : program_.row(r)) blocked_[member] += direction;
        }
        return static_cast<int>(rows.size());
    }

    const BinaryProgram& program_;
    const double sign_;
    std::vector<char> row_covered_;
    std::vector<int> blocked_;          // how many covered rows hold the column
    std::vector<double> value_;         // v_j: the score turned so that larger is better
    std::vector<double> share_;         // v_j / |rows(j)|
    std::vector<double> reduced_;       // d_j = v_j - sum_{r in rows(j)} u_r
    std::vector<double> reduced_share_; // d_j / |rows(j)|
    std::vector<double> prices_;        // u_r (all 0 without the relaxation)
    bool has_prices_ = false;
    double margin_ = 0.0;
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
