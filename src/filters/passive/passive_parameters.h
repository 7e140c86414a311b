#pragma once
#include <string>
#include <vector>

#include "numerics/dynamic_vector.h"
#include "numerics/normal.h"
#include "config/schema.h"
#include "numerics/value_forms.h"
#include "xml/querier.h"

namespace ostrel {

// Parameter reading and run-time checks shared by the passive-sensor and
// platform filters. Every failure names the values involved.

// A "gate" that is a probability floor (e <= gate rejects): not negative,
// else the exact `negative_message`; NaN fails naming the value.
std::vector<config::Check<double>> probability_gate(const std::string& negative_message);

// A probability floor other than "gate": a number, not negative.
config::Check<double> probability_floor();

// A probability vector: every entry finite and non-negative.
config::Check<double> probability_entry();
// ... and at least one entry.
config::Check<nmrc::DynamicVector> not_empty();

// Integer indices listed as the child elements of `list` (one index per
// child, any element name) or, when it has no children, as its text.
std::vector<int> read_index_list(const xml::Querier& list);

// Fails unless 0 <= index < length:
// "<what> <index> is outside <vector> of length <length> in <owner>".
void check_index(int index, int length, const std::string& what, const std::string& vector,
                 const std::string& owner);

// Fails unless the lengths agree, naming both:
// "size mismatch in <owner>: <a> has <la> entries, <b> has <lb>".
void check_same_length(int la, const std::string& a, int lb, const std::string& b,
                       const std::string& owner);

// The starting position-velocity estimate of a track: mean (p, 0),
// covariance [[Cp, 0], [0, prior velocity covariance]].
nmrc::Normal<6> position_velocity_start(const nmrc::Normal<3>& position,
                                        const nmrc::SymmetricMatrix<3>& prior_velocity_covariance);

}  // namespace ostrel

namespace config {

// Platform-type indices: one per child element (any name) or, when there
// are no children, the numbers of the element's text.
template <>
struct ValueForm<std::vector<int>> {
    using Entry = int;
    static std::string form() { return "a list of indices"; }
    static void read(const xml::Querier& element, std::vector<int>& value) { value = ostrel::read_index_list(element); }
    static std::string show(const std::vector<int>& value) {
        std::string text;
        for (int i : value) text += (text.empty() ? "" : " ") + std::to_string(i);
        return text;
    }
    template <class Visit>
    static void each(const std::vector<int>& value, Visit visit) {
        for (std::size_t i = 0; i < value.size(); ++i)
            if (!visit("[" + std::to_string(i) + "]", value[i])) return;
    }
};

}  // namespace config
