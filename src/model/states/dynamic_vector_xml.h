#pragma once
#include "numerics/dynamic_vector.h"
#include "xml/querier.h"

namespace state {

// Reads `length` numbers from the text of the element the Querier stands on.
// A length of 0 fails with "nmrc::Vector::read called on empty Vector", as
// reading into an empty vector does (the Querier would otherwise replace
// that message with its conversion error); a negative one fails naming it.
nmrc::DynamicVector read_dynamic_vector(const xml::Querier& element, int length);

// Reads every number of the element's text; the count sizes the vector.
nmrc::DynamicVector read_dynamic_vector(const xml::Querier& element);

}  // namespace state
