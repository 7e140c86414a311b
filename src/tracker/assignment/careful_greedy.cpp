#include "tracker/assignment/careful_greedy.h"

#include <algorithm>

#include "tracker/assignment/greedy_pass.h"

namespace ostrel {

namespace {

// The state of the pass: which columns are still candidates, which rows are
// covered, and how many candidates each row has left.
class CarefulPass {
public:
    explicit CarefulPass(const BinaryProgram& program)
        : program_(program),
          removed_(static_cast<std::size_t>(program.column_count()), 0),
          covered_(static_cast<std::size_t>(program.row_count()), 0),
          left_(static_cast<std::size_t>(program.row_count()), 0) {
        for (int r = 0; r < program.row_count(); ++r) left_[r] = static_cast<int>(program.row(r).size());
    }

    bool removed(int column) const { return removed_[column] != 0; }

    // Takes `column` unless that strands a row; returns whether it did.
    bool try_take(int column) {
        undo_.clear();
        for (int r : program_.column_rows(column)) covered_[r] = 1;
        bool stranded = false;
        for (int r : program_.column_rows(column))
            for (int member : program_.row(r)) stranded = remove(member) || stranded;
        if (!stranded) return true;
        for (int r : program_.column_rows(column)) covered_[r] = 0;
        restore();
        return false;
    }

    // Drops `column` from the candidates for good; returns whether that
    // strands a row (the column was its last way to be covered).
    bool drop(int column) {
        undo_.clear();
        return remove(column);
    }

    bool all_covered() const {
        return std::all_of(covered_.begin(), covered_.end(), [](char c) { return c != 0; });
    }

private:
    // Removes a candidate; true when an uncovered row is left with none.
    bool remove(int column) {
        if (removed_[column]) return false;
        removed_[column] = 1;
        undo_.push_back(column);
        bool stranded = false;
        for (int r : program_.column_rows(column)) {
            --left_[r];
            stranded = stranded || (left_[r] == 0 && !covered_[r]);
        }
        return stranded;
    }
    void restore() {
        for (int column : undo_) {
            removed_[column] = 0;
            for (int r : program_.column_rows(column)) ++left_[r];
        }
        undo_.clear();
    }

    const BinaryProgram& program_;
    std::vector<char> removed_;
    std::vector<char> covered_;
    std::vector<int> left_;
    std::vector<int> undo_;
};

}  // namespace

std::optional<std::vector<int>> careful_greedy_cover(const BinaryProgram& program,
                                                     const std::vector<double>& coefficients) {
    CarefulPass pass(program);
    std::vector<int> chosen;
    for (int column : greedy_order(coefficients)) {
        if (pass.removed(column)) continue;
        if (pass.try_take(column)) {
            chosen.push_back(column);
        } else if (pass.drop(column)) {
            return std::nullopt;  // neither taking nor passing over it leaves a cover in reach
        }
    }
    if (!pass.all_covered()) return std::nullopt;
    std::sort(chosen.begin(), chosen.end());
    return chosen;
}

}  // namespace ostrel
