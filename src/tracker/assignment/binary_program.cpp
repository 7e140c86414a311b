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
    last_row_.assign(column_count, -1);
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

int BinaryProgram::add_row(IndexList members) {
    for (int column : members) check_column(column);
    const int index = row_count();
    for (std::size_t k = 0; k < members.size(); ++k) {
        int& last = last_row_[members[k]];
        if (last == index) {
            // Only a comparison with the index of the next row reads these,
            // so forgetting what was marked of this refused row is enough.
            for (std::size_t marked = 0; marked < k; ++marked) last_row_[members[marked]] = -1;
            throw util::Exception("BinaryProgram row lists a column twice: column = " +
                                  std::to_string(members[k]));
        }
        last = index;
    }
    const bool own = !row_members_.empty() && members.begin() >= row_members_.data() &&
                     members.begin() < row_members_.data() + row_members_.size();
    if (own) {  // a row of this program added again: copy it before the array may move
        const std::vector<int> copy = members.to_vector();
        row_members_.insert(row_members_.end(), copy.begin(), copy.end());
    } else {
        row_members_.insert(row_members_.end(), members.begin(), members.end());
    }
    row_begin_.push_back(static_cast<int>(row_members_.size()));
    columns_indexed_ = false;
    return index;
}

IndexList BinaryProgram::row(int index) const {
    if (index < 0 || index >= row_count())
        throw util::Exception("BinaryProgram row out of range: row = " + std::to_string(index) +
                              ", row count = " + std::to_string(row_count()));
    const int* members = row_members_.data();
    return IndexList(members + row_begin_[index], members + row_begin_[index + 1]);
}

IndexList BinaryProgram::column_rows(int column) const {
    check_column(column);
    if (!columns_indexed_) index_columns();
    const int* rows = column_row_list_.data();
    return IndexList(rows + column_begin_[column], rows + column_begin_[column + 1]);
}

// A counting sort of the row entries by column.
void BinaryProgram::index_columns() const {
    column_begin_.assign(objective_.size() + 1, 0);
    for (int column : row_members_) ++column_begin_[column + 1];
    for (std::size_t c = 0; c < objective_.size(); ++c) column_begin_[c + 1] += column_begin_[c];
    column_row_list_.resize(row_members_.size());
    std::vector<int> next(column_begin_.begin(), column_begin_.end() - 1);
    for (int r = 0; r < row_count(); ++r)
        for (int k = row_begin_[r]; k < row_begin_[r + 1]; ++k) column_row_list_[next[row_members_[k]]++] = r;
    columns_indexed_ = true;
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
    for (int r = 0; r < row_count(); ++r) {
        int count = 0;
        for (int column : row(r)) count += times_chosen[column];
        if (count != 1) return false;
    }
    return true;
}

}  // namespace ostrel
