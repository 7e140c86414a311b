#include "tracker/assignment/binary_program.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "util/exception.h"

namespace ostrel {

double BinaryProgram::finite_score(double score) {
    if (std::isnan(score)) return -kScoreLimit;
    return std::clamp(score, -kScoreLimit, kScoreLimit);
}

BinaryProgram::BinaryProgram(int column_count, int optimization_type)
    : optimization_type_(optimization_type) {
    if (column_count < 0)
        throw util::Exception("BinaryProgram column count is negative: column count = " +
                              std::to_string(column_count));
    if (optimization_type != kMinimize && optimization_type != kMaximize)
        throw util::Exception("unknown optimization type: optimization type = " +
                              std::to_string(optimization_type));
    objective_.assign(column_count, 0.0);
    column_rows_.resize(column_count);
}

void BinaryProgram::check_column(int column) const {
    if (column < 0 || column >= column_count())
        throw util::Exception("BinaryProgram column out of range: column = " +
                              std::to_string(column) + ", column count = " +
                              std::to_string(column_count()));
}

void BinaryProgram::set_score(int column, double score) {
    check_column(column);
    objective_[column] = finite_score(score);
}

void BinaryProgram::set_objective(const std::vector<double>& coefficients) {
    if (coefficients.size() != objective_.size())
        throw util::Exception("BinaryProgram objective size differs from column count: size = " +
                              std::to_string(coefficients.size()) + ", column count = " +
                              std::to_string(column_count()));
    std::transform(coefficients.begin(), coefficients.end(), objective_.begin(), finite_score);
}

int BinaryProgram::add_row(const std::vector<int>& members) {
    for (int column : members) check_column(column);
    const int index = row_count();
    // Rows come in increasing order, so a column already filed under this
    // row is listed twice; what was filed of the row is taken back.
    for (std::size_t k = 0; k < members.size(); ++k) {
        std::vector<int>& rows = column_rows_[members[k]];
        if (!rows.empty() && rows.back() == index) {
            for (std::size_t filed = 0; filed < k; ++filed) column_rows_[members[filed]].pop_back();
            throw util::Exception("BinaryProgram row lists a column twice: column = " +
                                  std::to_string(members[k]));
        }
        // A hypothesis lies in its track's row and a few contacts' rows.
        if (rows.capacity() == 0) rows.reserve(4);
        rows.push_back(index);
    }
    rows_.push_back(members);
    return index;
}

double BinaryProgram::total_score(const std::vector<int>& chosen) const {
    double total = 0.0;
    for (int column : chosen) total += coefficient(column);
    return total;
}

bool BinaryProgram::is_exact_cover(const std::vector<int>& chosen) const {
    std::vector<int> times_chosen(column_count(), 0);
    for (int column : chosen) {
        if (column < 0 || column >= column_count() || times_chosen[column]++ > 0) return false;
    }
    for (const auto& members : rows_) {
        int count = 0;
        for (int column : members) count += times_chosen[column];
        if (count != 1) return false;
    }
    return true;
}

}  // namespace ostrel
