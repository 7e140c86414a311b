#pragma once
#include "model/type_identity.h"
#include "numerics/vector.h"
#include "util/counted_ptr.h"
#include "util/factory.h"
#include "xml/out_stream.h"
#include "xml/querier.h"

namespace ftprnt {

// Marks the identity counter of the footprints of one dimension: every
// dimension numbers its classes from 1 independently.
template <int N>
struct FootprintFamily;

// A region of an N-dimensional space (field of view, surveillance region,
// birth region). Immutable once built; shared through FootprintPtr<N>.
template <int N>
class Footprint {
public:
    virtual ~Footprint() = default;
    virtual bool contains(const nmrc::Vector<N>& point) const = 0;
    virtual int type_id() const = 0;
    // Writes the footprint's element, named by its key.
    virtual void write(xml::OutStream& out) const = 0;
};

// Every concrete footprint derives from FootprintTemplate<N, T>; the class
// receives its identity the first time it is asked for.
template <int N, class T>
class FootprintTemplate : public Footprint<N> {
public:
    static int static_type_id() { return model::identity_of<FootprintFamily<N>, T>(); }
    int type_id() const override { return static_type_id(); }
};

template <int N>
using FootprintPtr = util::CountedPtr<const Footprint<N>>;

// Builds the footprints of dimension N by key (the element name).
template <int N>
class FootprintFactory : public util::QuerierFactory<FootprintPtr<N>> {};

// The one footprint factory of dimension N.
template <int N>
FootprintFactory<N>& footprint_factory() {
    static FootprintFactory<N> factory;
    return factory;
}

// Builds the footprint whose element the Querier stands on.
template <int N>
FootprintPtr<N> make_footprint(const xml::Querier& element) {
    return footprint_factory<N>().create(element);
}

}  // namespace ftprnt
