#include "tracker/assignment/assignment_algorithm.h"

#include <array>
#include <utility>

namespace ostrel {
namespace {

const std::array<std::pair<const char*, AssignmentAlgorithm>, 5> kAlgorithms = {{
    {"greedy", AssignmentAlgorithm::greedy},
    {"hybrid", AssignmentAlgorithm::hybrid},
    {"optimal", AssignmentAlgorithm::optimal},
    {"branch_and_bound", AssignmentAlgorithm::branch_and_bound},
    {"random_greedy", AssignmentAlgorithm::random_greedy},
}};

}  // namespace

AssignmentAlgorithm assignment_algorithm_from_text(const std::string& text) {
    for (const auto& [name, algorithm] : kAlgorithms)
        if (text == name) return algorithm;
    return AssignmentAlgorithm::greedy;
}

std::string assignment_algorithm_text(AssignmentAlgorithm algorithm) {
    for (const auto& [name, known] : kAlgorithms)
        if (known == algorithm) return name;
    return "greedy";
}

}  // namespace ostrel
