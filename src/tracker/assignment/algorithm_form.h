#pragma once
#include <sstream>
#include <string>

#include "config/value_form.h"
#include "tracker/assignment/assignment_algorithm.h"

namespace config {

// "assignment_algorithm": the first word of the text names the algorithm;
// an empty text, like any unknown word, selects greedy (stored
// configurations rely on both).
template <>
struct ValueForm<ostrel::AssignmentAlgorithm> {
    using Entry = ostrel::AssignmentAlgorithm;
    static std::string form() {
        return "greedy, hybrid, optimal, branch_and_bound or random_greedy (any other word: greedy)";
    }
    static void read(const xml::Querier& element, ostrel::AssignmentAlgorithm& value) {
        std::string word;
        std::istringstream(element.raw_text()) >> word;
        value = ostrel::assignment_algorithm_from_text(word);
    }
    static std::string show(ostrel::AssignmentAlgorithm value) { return ostrel::assignment_algorithm_text(value); }
    template <class Visit>
    static void each(ostrel::AssignmentAlgorithm value, Visit visit) {
        visit(std::string(), value);
    }
};

}  // namespace config
