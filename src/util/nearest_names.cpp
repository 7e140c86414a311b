#include "util/nearest_names.h"

#include <algorithm>
#include <numeric>

namespace util {

namespace {

// edit_distance(a, b) when it is at most `bound`, else bound + 1, found
// without the whole table: the distance is at least the difference of the
// lengths, and never below the smallest entry of a row. A fuzzed or pasted
// name of thousands of characters thus costs little against short keys.
std::size_t edit_distance_within(const std::string& a, const std::string& b, std::size_t bound) {
    const std::size_t gap = a.size() > b.size() ? a.size() - b.size() : b.size() - a.size();
    if (gap > bound) return bound + 1;
    // One row of the dynamic-programming table: row[j] = d(a[0..i), b[0..j)).
    std::vector<std::size_t> row(b.size() + 1);
    std::iota(row.begin(), row.end(), std::size_t{0});
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        std::size_t smallest = row[0];
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t substitution = diagonal + (a[i - 1] == b[j - 1] ? 0 : 1);
            row[j] = std::min({above + 1, row[j - 1] + 1, substitution});
            diagonal = above;
            smallest = std::min(smallest, row[j]);
        }
        if (smallest > bound) return bound + 1;
    }
    return std::min(row[b.size()], bound + 1);
}

}  // namespace

std::size_t edit_distance(const std::string& a, const std::string& b) {
    // No distance exceeds the longer length, so this bound never cuts short.
    return edit_distance_within(a, b, std::max(a.size(), b.size()));
}

std::vector<std::string> nearest_names(const std::string& name, const std::vector<std::string>& candidates,
                                       std::size_t limit) {
    const std::size_t farthest = std::max<std::size_t>(2, name.size() / 3);
    std::vector<std::pair<std::size_t, std::size_t>> scored;  // (distance, index)
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::size_t d = edit_distance_within(name, candidates[i], farthest);
        if (d <= farthest) scored.emplace_back(d, i);
    }
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<std::string> nearest;
    for (const auto& entry : scored) {
        if (nearest.size() == limit) break;
        nearest.push_back(candidates[entry.second]);
    }
    return nearest;
}

std::string did_you_mean(const std::string& name, const std::vector<std::string>& candidates) {
    const std::vector<std::string> nearest = nearest_names(name, candidates);
    if (nearest.empty()) return "";
    std::string text = " (did you mean ";
    for (std::size_t i = 0; i < nearest.size(); ++i) {
        if (i > 0) text += i + 1 == nearest.size() ? " or " : ", ";
        text += nearest[i];
    }
    return text + "?)";
}

}  // namespace util
