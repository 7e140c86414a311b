#pragma once
#include "numerics/vector.h"
#include "util/counted_ptr.h"
#include "util/factory.h"
#include "xml/querier.h"

namespace ftprnt {

// Draws points uniformly from a region of an N-dimensional space. Samplers
// are shared as const objects; drawing advances their generators, which are
// therefore mutable state.
template <int N>
class UniformFootprint {
public:
    virtual ~UniformFootprint() = default;
    virtual void sample(nmrc::Vector<N>& point) const = 0;
};

template <int N>
using UniformFootprintPtr = util::CountedPtr<const UniformFootprint<N>>;

// Builds the uniform samplers of dimension N by key (the element name).
template <int N>
class UniformFootprintFactory : public util::QuerierFactory<UniformFootprintPtr<N>> {};

// The one uniform sampler factory of dimension N.
template <int N>
UniformFootprintFactory<N>& uniform_footprint_factory() {
    static UniformFootprintFactory<N> factory;
    return factory;
}

// Builds the sampler whose element the Querier stands on.
template <int N>
UniformFootprintPtr<N> make_uniform_footprint(const xml::Querier& element) {
    return uniform_footprint_factory<N>().create(element);
}

}  // namespace ftprnt
