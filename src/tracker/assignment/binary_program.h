#pragma once
#include <cstddef>
#include <vector>

namespace ostrel {

// A read-only run of indices stored inside a BinaryProgram (a row's columns
// or a column's rows); valid until the program changes.
class IndexList {
public:
    IndexList(const int* begin, const int* end) : begin_(begin), end_(end) {}
    const int* begin() const { return begin_; }
    const int* end() const { return end_; }
    std::size_t size() const { return static_cast<std::size_t>(end_ - begin_); }
    bool empty() const { return begin_ == end_; }
    int operator[](std::size_t k) const { return begin_[k]; }
    int front() const { return *begin_; }
    std::vector<int> to_vector() const { return {begin_, end_}; }

private:
    const int* begin_;
    const int* end_;
};

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
    int row_count() const { return static_cast<int>(row_begin_.size()) - 1; }
    int optimization_type() const { return optimization_type_; }

    // Stores the clamped score as the coefficient of the column.
    void set_score(int column, double score);
    double coefficient(int column) const { return objective_.at(column); }
    const std::vector<double>& objective() const { return objective_; }
    // Replaces every coefficient (clamped); the size must match the columns.
    void set_objective(const std::vector<double>& coefficients);

    // Appends an equality row "exactly one of these columns"; returns its index.
    int add_row(const std::vector<int>& members) {
        return add_row(IndexList(members.data(), members.data() + members.size()));
    }
    int add_row(IndexList members);
    IndexList row(int index) const;

    // The rows that contain the column, in increasing row order.
    IndexList column_rows(int column) const;

    // Sum of the coefficients of the chosen columns.
    double total_score(const std::vector<int>& chosen) const;
    // True when every row holds exactly one chosen column and no column is
    // chosen twice.
    bool is_exact_cover(const std::vector<int>& chosen) const;

private:
    void check_column(int column) const;

    int optimization_type_;
    std::vector<double> objective_;
    // Rows and columns in flat arrays (a program of a frame has thousands
    // of short rows, and one allocation each dominated building it): row r
    // holds row_members_[row_begin_[r] .. row_begin_[r + 1]).
    std::vector<int> row_members_;
    std::vector<int> row_begin_{0};
    // The last row that listed each column, to refuse a column listed twice.
    std::vector<int> last_row_;
    // The rows of every column in the same form, made from the rows when
    // first asked for after a change (rows are added in increasing order,
    // so each column's rows come out sorted).
    void index_columns() const;
    mutable std::vector<int> column_row_list_;
    mutable std::vector<int> column_begin_;
    mutable bool columns_indexed_ = false;
};

}  // namespace ostrel
