#pragma once
#include <vector>

namespace ostrel {

// The 0-1 set-partitioning program of one resolve: one column per candidate
// hypothesis (its score is the objective coefficient) and one row per
// contact group, of which exactly one member column must be chosen.
//
// Scores are kept finite: a hypothesis whose score is -infinity (or NaN)
// would otherwise turn the greedy normalisation into -inf - -inf = NaN and
// hand infinities to the linear-programming library.
class BinaryProgram {
public:
    static constexpr int kMinimize = 0;
    static constexpr int kMaximize = 1;

    // Scores are clamped to [-kScoreLimit, kScoreLimit]; NaN counts as the
    // worst score. The limit is far beyond any log-likelihood a real track
    // accumulates yet small enough for the simplex tolerances to resolve
    // unit differences beside it.
    static constexpr double kScoreLimit = 1e9;
    static double finite_score(double score);

    // Every coefficient starts at 0.0.
    explicit BinaryProgram(int column_count, int optimization_type = kMaximize);

    int column_count() const { return static_cast<int>(objective_.size()); }
    int row_count() const { return static_cast<int>(rows_.size()); }
    int optimization_type() const { return optimization_type_; }

    // Stores the clamped score as the coefficient of the column.
    void set_score(int column, double score);
    double coefficient(int column) const { return objective_.at(column); }
    const std::vector<double>& objective() const { return objective_; }
    // Replaces every coefficient (clamped); the size must match the columns.
    void set_objective(const std::vector<double>& coefficients);

    // Appends an equality row "exactly one of these columns"; returns its index.
    int add_row(const std::vector<int>& members);
    const std::vector<int>& row(int index) const { return rows_.at(index); }

    // The rows that contain the column, in increasing row order.
    const std::vector<int>& column_rows(int column) const { return column_rows_.at(column); }

    // Sum of the coefficients of the chosen columns.
    double total_score(const std::vector<int>& chosen) const;
    // True when every row holds exactly one chosen column and no column is
    // chosen twice.
    bool is_exact_cover(const std::vector<int>& chosen) const;

private:
    void check_column(int column) const;

    int optimization_type_;
    std::vector<double> objective_;
    std::vector<std::vector<int>> rows_;
    std::vector<std::vector<int>> column_rows_;
};

}  // namespace ostrel
