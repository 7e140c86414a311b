#pragma once
#include "numerics/normal.h"
#include "xml/querier.h"

namespace state {

// Reads the "normal" child of a state's element (mean and covariance), as
// Normal<N>::read does, refusing NaN or infinite entries: a non-finite mean
// or covariance would pass unnoticed through gates and scores.
template <int N>
nmrc::Normal<N> read_finite_normal(const xml::Querier& owner) {
    xml::Querier normal = owner.tag("normal");
    nmrc::Normal<N> estimate = nmrc::Normal<N>::read(normal);
    normal.tag("mean").require_numbers(false);
    normal.tag("covariance").require_numbers(false);
    return estimate;
}

}  // namespace state
