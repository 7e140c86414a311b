#pragma once
#include <cstddef>
#include <functional>
#include <vector>

#include "tracker/assignment/binary_program.h"

namespace ostrel {

// Columns by decreasing coefficient, the lower column first among equals:
// the order in which a greedy pass considers them.
std::vector<int> greedy_order(const std::vector<double>& coefficients);

struct GreedyPassResult {
    std::vector<int> chosen;  // in the order picked
    int covered_rows = 0;     // rows containing a pick
};

// Picks one of the `choices` best remaining candidates (in `order`); the
// callback receives how many are on offer (1..choices) and returns the rank
// to take. Every pick removes itself and every column sharing a row with it
// from the candidates, so the pass ends after at most n picks even when a
// pick lies in no row.
using RankChooser = std::function<std::size_t(std::size_t offered)>;
GreedyPassResult greedy_pass(const BinaryProgram& program, const std::vector<int>& order,
                             std::size_t choices, const RankChooser& choose_rank);

// Greedy normalisation: for each column, in increasing order, that lies in
// exactly one row, subtract its current coefficient x from every member of
// that row (itself included, which becomes 0.0); later columns see the
// coefficients already changed. Every exact cover takes one member of the
// row, so each step shifts every cover's total by the same -x and the
// ranking of covers is unchanged; only the greedy choice sees the
// difference.
// Returns the normalised coefficients; the program is left as it is. The
// results are not clamped again, so the shifts stay exact.
std::vector<double> normalised_coefficients(const BinaryProgram& program);

}  // namespace ostrel
