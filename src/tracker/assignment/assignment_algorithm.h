#pragma once
#include <string>

namespace ostrel {

// The configured "assignment_algorithm", with its numeric code.
enum class AssignmentAlgorithm : int {
    greedy = 0,
    hybrid = 1,
    optimal = 2,
    branch_and_bound = 3,
    random_greedy = 4,
};

// "greedy", "hybrid", "optimal", "branch_and_bound" or "random_greedy";
// any other text selects greedy.
AssignmentAlgorithm assignment_algorithm_from_text(const std::string& text);

// The configuration text of the algorithm.
std::string assignment_algorithm_text(AssignmentAlgorithm algorithm);

}  // namespace ostrel
