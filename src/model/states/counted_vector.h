#pragma once
#include <string>

#include "config/value_form.h"
#include "model/states/dynamic_vector_xml.h"
#include "numerics/dynamic_vector.h"
#include "numerics/value_forms.h"

namespace state {

// Numbers whose count the element's attribute "dim" gives, as ESM mode
// distributions and platform-type beliefs are written:
// <mode_distribution dim="2">0.75 0.25</mode_distribution>.
struct CountedVector {
    nmrc::DynamicVector values;
};

}  // namespace state

namespace config {

// "dim" is read first and sizes the vector before its text is read; a dim of
// 0 fails as reading into an empty vector does, and every number must be
// finite.
template <>
struct ValueForm<state::CountedVector> {
    using Entry = double;
    static std::string form() { return "numbers, as many as attribute dim says, every one finite"; }
    static void read(const xml::Querier& element, state::CountedVector& value) {
        int dim = 0;
        element.att("dim", dim);
        value.values = state::read_dynamic_vector(element, dim);
    }
    static std::string show(const state::CountedVector& value) {
        return ValueForm<nmrc::DynamicVector>::show(value.values);
    }
    template <class Visit>
    static void each(const state::CountedVector& value, Visit visit) {
        ValueForm<nmrc::DynamicVector>::each(value.values, visit);
    }
};

}  // namespace config
