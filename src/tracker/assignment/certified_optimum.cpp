#include "tracker/assignment/certified_optimum.h"

#include <algorithm>
#include <cmath>

namespace ostrel {
namespace {

// A dense tableau stays cheap up to here; larger clusters go to lp_solve.
constexpr int kLargestRowCount = 24;
constexpr int kLargestColumnCount = 96;
constexpr double kPivotTolerance = 1e-9;
// The proof needs every unchosen column's reduced cost below -margin, with
// margin = kRelativeMargin * max(1, max |s_j|): far above lp_solve's own
// tolerances (1e-9 on scaled reduced costs, 1e-9 relative gap), so the
// library cannot settle on another point as "optimal" either.
constexpr double kRelativeMargin = 1e-6;
// The chosen columns' reduced costs are zero up to rounding.
constexpr double kRelativeZero = 1e-10;

// The program  max c^T x  s.t.  A x = 1, x >= 0,  with one artificial
// column per row (the initial basis). Row i of the tableau holds B^-1 A and
// B^-1 b; the artificial columns hold B^-1 itself, from which y^T = c_B^T B^-1.
class Tableau {
public:
    explicit Tableau(const BinaryProgram& program)
        : rows_(program.row_count()),
          columns_(program.column_count()),
          width_(columns_ + rows_ + 1),
          cells_(static_cast<std::size_t>(rows_) * width_, 0.0),
          basis_(rows_) {
        for (int r = 0; r < rows_; ++r) {
            for (int column : program.row(r)) at(r, column) = 1.0;
            at(r, columns_ + r) = 1.0;
            rhs(r) = 1.0;
            basis_[r] = columns_ + r;
        }
    }

    int rows() const { return rows_; }
    int basic(int row) const { return basis_[row]; }
    double& at(int row, int column) { return cells_[static_cast<std::size_t>(row) * width_ + column]; }
    double at(int row, int column) const { return cells_[static_cast<std::size_t>(row) * width_ + column]; }
    double& rhs(int row) { return at(row, width_ - 1); }
    double rhs(int row) const { return at(row, width_ - 1); }

    // Maximises cost^T x with only the `allowed` columns entering the basis,
    // by Bland's rule, which cannot cycle. False when the program is
    // unbounded or the pivots run out.
    bool maximize(const std::vector<double>& cost, const std::vector<char>& allowed, double zero) {
        const int pivot_limit = 50 * (rows_ + columns_);
        for (int pivots = 0; pivots < pivot_limit; ++pivots) {
            const int entering = first_improving(cost, allowed, zero);
            if (entering < 0) return true;
            const int leaving = ratio_test(entering);
            if (leaving < 0) return false;
            pivot(leaving, entering);
        }
        return false;
    }

    // Replaces each artificial column still in the basis (at value zero
    // after a feasible first phase) by an original column of its row; a row
    // without one is a redundant equation and keeps its artificial column.
    void drive_out_artificials() {
        for (int r = 0; r < rows_; ++r) {
            if (basis_[r] < columns_) continue;
            for (int column = 0; column < columns_; ++column) {
                if (std::fabs(at(r, column)) > kPivotTolerance) {
                    pivot(r, column);
                    break;
                }
            }
        }
    }

    // y_r = sum_i cost_{B(i)} (B^-1)_{i r}
    std::vector<double> duals(const std::vector<double>& cost) const {
        std::vector<double> y(rows_, 0.0);
        for (int i = 0; i < rows_; ++i) {
            const double c = cost[basis_[i]];
            if (c == 0.0) continue;
            for (int r = 0; r < rows_; ++r) y[r] += c * at(i, columns_ + r);
        }
        return y;
    }

private:
    // d_j = c_j - sum_i c_{B(i)} T_ij; the first j with d_j > zero.
    // Basic columns of cost zero change no d_j (beyond the sign of a zero,
    // which no comparison sees), so only the others are visited.
    int first_improving(const std::vector<double>& cost, const std::vector<char>& allowed, double zero) const {
        int priced_rows[kLargestRowCount];
        double priced_costs[kLargestRowCount];
        int priced = 0;
        for (int i = 0; i < rows_; ++i)
            if (cost[basis_[i]] != 0.0) {
                priced_rows[priced] = i;
                priced_costs[priced++] = cost[basis_[i]];
            }
        for (int column = 0; column < static_cast<int>(allowed.size()); ++column) {
            if (!allowed[column]) continue;
            double reduced = cost[column];
            for (int k = 0; k < priced; ++k) reduced -= priced_costs[k] * at(priced_rows[k], column);
            if (reduced > zero && !is_basic(column)) return column;
        }
        return -1;
    }

    // The row that leaves: the least ratio rhs / T_ij over T_ij > 0, the
    // lowest basic column among equals (Bland).
    int ratio_test(int entering) const {
        int leaving = -1;
        double best = 0.0;
        for (int i = 0; i < rows_; ++i) {
            const double a = at(i, entering);
            if (a <= kPivotTolerance) continue;
            const double ratio = rhs(i) / a;
            if (leaving < 0 || ratio < best - 1e-12 ||
                (ratio <= best + 1e-12 && basis_[i] < basis_[leaving])) {
                leaving = i;
                best = ratio;
            }
        }
        return leaving;
    }

    void pivot(int row, int column) {
        const double inverse = 1.0 / at(row, column);
        for (int k = 0; k < width_; ++k) at(row, k) *= inverse;
        for (int i = 0; i < rows_; ++i) {
            const double factor = at(i, column);
            if (i == row || factor == 0.0) continue;
            for (int k = 0; k < width_; ++k) at(i, k) -= factor * at(row, k);
        }
        basis_[row] = column;
    }

    bool is_basic(int column) const { return std::find(basis_.begin(), basis_.end(), column) != basis_.end(); }

    int rows_;
    int columns_;
    int width_;
    std::vector<double> cells_;
    std::vector<int> basis_;
};

bool is_zero_or_one(double value) { return std::fabs(value) < 1e-9 || std::fabs(value - 1.0) < 1e-9; }

// d_j = c_j - sum_{r in j} y_r for every column of the program.
std::vector<double> reduced_costs(const BinaryProgram& program, const std::vector<double>& cost,
                                  const std::vector<double>& y) {
    // Row by row: each column still takes its rows' prices in increasing
    // row order, as summing column by column would.
    std::vector<double> reduced(cost.begin(), cost.begin() + program.column_count());
    for (int r = 0; r < program.row_count(); ++r)
        for (int j : program.row(r)) reduced[j] -= y[r];
    return reduced;
}

// Phases one and two on `tableau`: false when the program has no cover or
// the pivots fail. On return `cost` holds the phase-two costs (the scores,
// maximised; zero for the artificial columns) and `allowed` the columns
// that may enter.
bool solve(Tableau& tableau, const BinaryProgram& program, double sign, double zero,
           std::vector<double>& cost, std::vector<char>& allowed) {
    const int n = program.column_count();
    // Phase one: drive the artificial columns to zero (max -sum a).
    cost.assign(n + program.row_count(), 0.0);
    std::fill(cost.begin() + n, cost.end(), -1.0);
    allowed.assign(cost.size(), 1);
    if (!tableau.maximize(cost, allowed, 1e-12)) return false;
    for (int r = 0; r < tableau.rows(); ++r)
        if (tableau.basic(r) >= n && tableau.rhs(r) > 1e-9) return false;  // infeasible
    tableau.drive_out_artificials();

    // Phase two: the scores, the artificial columns held at zero.
    for (int j = 0; j < n; ++j) cost[j] = sign * program.coefficient(j);
    std::fill(cost.begin() + n, cost.end(), 0.0);
    std::fill(allowed.begin() + n, allowed.end(), 0);
    return tableau.maximize(cost, allowed, zero);
}

// The basic columns at 1 when every basic value is 0 or 1 and they form an
// exact cover; else empty.
std::vector<int> integral_cover(const Tableau& tableau, const BinaryProgram& program) {
    const int n = program.column_count();
    std::vector<char> at_one(n, 0);
    for (int r = 0; r < tableau.rows(); ++r) {
        const int column = tableau.basic(r);
        if (column >= n) continue;
        if (!is_zero_or_one(tableau.rhs(r))) return {};  // a fractional vertex
        if (tableau.rhs(r) > 0.5) at_one[column] = 1;
    }
    std::vector<int> cover;
    for (int j = 0; j < n; ++j)
        if (at_one[j]) cover.push_back(j);
    if (!program.is_exact_cover(cover)) return {};
    return cover;
}

// Whether the cover is the only point of the face spanned by itself and the
// columns whose reduced cost lies within the margin of zero (a degenerate
// basis holds some at zero): max sum of the near-tied columns over that
// face, from the current (feasible) basis, proven zero by its own duals.
bool alone_on_its_face(Tableau& tableau, const BinaryProgram& program, const std::vector<char>& in_cover,
                       const std::vector<double>& reduced, double margin) {
    const int n = program.column_count();
    std::vector<double> face_cost(n + program.row_count(), 0.0);
    std::vector<char> allowed(face_cost.size(), 0);
    bool near_ties = false;
    for (int j = 0; j < n; ++j) {
        allowed[j] = in_cover[j] || reduced[j] >= -margin;
        if (!in_cover[j] && allowed[j]) {
            face_cost[j] = 1.0;
            near_ties = true;
        }
    }
    if (!near_ties) return true;
    if (!tableau.maximize(face_cost, allowed, 1e-9)) return false;
    const std::vector<double> face_duals = tableau.duals(face_cost);
    double bound = 0.0;  // sum_r y'_r bounds the face objective
    for (double y : face_duals) bound += y;
    const std::vector<double> face_reduced = reduced_costs(program, face_cost, face_duals);
    for (int j = 0; j < n; ++j)
        if (allowed[j] && face_reduced[j] > 1e-9) return false;
    return bound <= 1e-9;
}

}  // namespace

bool certified_unique_optimum(const BinaryProgram& program, std::vector<int>& chosen) {
    chosen.clear();
    const int m = program.row_count();
    const int n = program.column_count();
    if (m == 0 || n == 0 || m > kLargestRowCount || n > kLargestColumnCount) return false;

    // Everything below maximises; a minimising program is maximised negated.
    const double sign = program.optimization_type() == BinaryProgram::kMaximize ? 1.0 : -1.0;
    double scale = 1.0;
    for (double s : program.objective()) scale = std::max(scale, std::fabs(s));
    const double margin = kRelativeMargin * scale;
    const double zero = kRelativeZero * scale;

    Tableau tableau(program);
    std::vector<double> cost;
    std::vector<char> allowed;
    if (!solve(tableau, program, sign, zero, cost, allowed)) return false;
    const std::vector<int> cover = integral_cover(tableau, program);
    if (cover.empty()) return false;

    // The cover is optimal: the duals price every column at or below zero,
    // checked on the program itself rather than on the tableau.
    std::vector<char> in_cover(n, 0);
    for (int j : cover) in_cover[j] = 1;
    const std::vector<double> reduced = reduced_costs(program, cost, tableau.duals(cost));
    for (int j = 0; j < n; ++j)
        if (in_cover[j] ? std::fabs(reduced[j]) > zero : reduced[j] > zero) return false;
    // Then every point other than the cover uses a column priced below
    // -margin and scores lower.
    if (!alone_on_its_face(tableau, program, in_cover, reduced, margin)) return false;
    chosen = cover;
    return true;
}

}  // namespace ostrel
