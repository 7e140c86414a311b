#include "tracker/assignment/greedy_pass.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

namespace ostrel {

std::vector<int> greedy_order(const std::vector<double>& coefficients) {
    std::vector<int> order(coefficients.size());
    if (std::any_of(coefficients.begin(), coefficients.end(), [](double c) { return std::isnan(c); })) {
        // No strict order exists; keep the stable sort's arrangement.
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(),
                         [&](int a, int b) { return coefficients[a] > coefficients[b]; });
        return order;
    }
    // Sorting (coefficient, column) pairs keeps each comparison in the
    // entries it compares instead of looking the coefficients up: the same
    // order as a stable sort of the columns, as ties go to the lower column.
    std::vector<std::pair<double, int>> keyed(coefficients.size());
    for (std::size_t c = 0; c < coefficients.size(); ++c) keyed[c] = {coefficients[c], static_cast<int>(c)};
    std::sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return a.first > b.first || (a.first == b.first && a.second < b.second);
    });
    for (std::size_t k = 0; k < keyed.size(); ++k) order[k] = keyed[k].second;
    return order;
}

GreedyPassResult greedy_pass(const BinaryProgram& program, const std::vector<int>& order,
                             std::size_t choices, const RankChooser& choose_rank) {
    GreedyPassResult result;
    std::vector<char> removed(program.column_count(), 0);
    std::vector<int> offered;
    std::size_t first = 0;  // no candidate lies before this position of `order`
    while (true) {
        while (first < order.size() && removed[order[first]]) ++first;
        if (first == order.size()) break;
        offered.clear();
        for (std::size_t p = first; p < order.size() && offered.size() < choices; ++p)
            if (!removed[order[p]]) offered.push_back(order[p]);

        const int pick = offered[choices == 1 ? 0 : choose_rank(offered.size())];
        result.chosen.push_back(pick);
        removed[pick] = 1;
        for (int r : program.column_rows(pick))
            for (int column : program.row(r)) removed[column] = 1;
        result.covered_rows += static_cast<int>(program.column_rows(pick).size());
    }
    return result;
}

std::vector<double> normalised_coefficients(const BinaryProgram& program) {
    std::vector<double> c = program.objective();
    for (int i = 0; i < program.column_count(); ++i) {
        const IndexList rows = program.column_rows(i);
        if (rows.size() != 1) continue;
        const double x = c[i];
        for (int column : program.row(rows[0])) c[column] -= x;  // c_j := c_j - c_i
    }
    return c;
}

}  // namespace ostrel
