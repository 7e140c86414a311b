#pragma once
#include "xml/querier.h"

namespace state {

// Converts the text of the element the Querier stands on, so that const
// members can be initialised from it.
template <class T>
T read_own_text(const xml::Querier& querier) {
    T value{};
    querier.text(value);
    return value;
}

// As read_own_text, refusing NaN or infinite numbers.
template <class T>
T read_own_finite(const xml::Querier& querier) {
    T value = read_own_text<T>(querier);
    querier.require_numbers(false);
    return value;
}

}  // namespace state
