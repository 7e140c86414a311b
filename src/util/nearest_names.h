#pragma once
#include <string>
#include <vector>

namespace util {

// Levenshtein distance between two names (insertions, deletions and
// substitutions each cost 1).
std::size_t edit_distance(const std::string& a, const std::string& b);

// The candidates closest to `name` by edit distance, at most `limit` of them,
// nearest first (ties in the candidates' order). Candidates farther than a
// third of the name's length (at least 2 edits) are left out, so a name that
// resembles nothing gets no suggestion.
std::vector<std::string> nearest_names(const std::string& name, const std::vector<std::string>& candidates,
                                       std::size_t limit = 3);

// " (did you mean a?)", " (did you mean a or b?)", " (did you mean a, b or c?)",
// or "" when there is nothing close.
std::string did_you_mean(const std::string& name, const std::vector<std::string>& candidates);

}  // namespace util
