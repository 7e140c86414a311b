#pragma once
#include <string>
#include <vector>

namespace config {

// One mistake in a configured element, with everything a user needs to find
// and mend it.
struct Problem {
    enum class Kind { missing, unreadable, invalid, inner };

    Kind kind = Kind::invalid;
    std::string key;       // the key whose element holds the mistake ("frame_counter")
    std::string element;   // the parameter's element path below it ("ou_process_2d/sigma")
    std::string entry;     // the entry within that element ("sigma[1]"); the leaf name for scalars
    std::string text;      // the bad text as written, or the bad value in stream notation
    std::string expected;  // the expected form ("positive", "a vector of 2 numbers")
    // The historical message that starts the report, or "" for the standard
    // form. Placeholders {key}, {element}, {entry}, {expected} and {value}
    // are filled in. For unreadable text, the reader's own message; for an inner
    // problem (a child object that failed to build), the whole report.
    std::string message;
};

// The report of one problem:
// - standard: "key: element must be expected: entry = value"; for a
//   parameter of a nested element, that element stands for the key and
//   " (in key)" follows;
// - a historical message that quotes the value: the message, then
//   " (in key, element element)" unless it names the key itself;
// - any other historical message: the message, then the standard form in
//   parentheses;
// - a missing element: "Tag::tag failed, key not found: key = name" and the
//   key, element and expected form in parentheses;
// - a missing child object: "Tag::tag failed, tags is empty" and the key and
//   expected form in parentheses;
// - unreadable text: the reader's message ("unable to convert text from
//   tag = name") and the key, element, expected form and the quoted text in
//   parentheses;
// - an inner problem: its own report, unchanged.
std::string describe(const Problem& problem);

// Collects the problems of one element so that all are reported at once.
class Report {
public:
    void add(Problem problem) { problems_.push_back(std::move(problem)); }
    bool empty() const { return problems_.empty(); }
    std::size_t size() const { return problems_.size(); }
    const std::vector<Problem>& problems() const { return problems_; }
    // Throws util::Exception with one line per problem, in the order found.
    void raise_if_any() const;

private:
    std::vector<Problem> problems_;
};

}  // namespace config
