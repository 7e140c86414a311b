#pragma once
#include "model/composite_state.h"
#include "tracker/track_state.h"
#include "util/counted_ptr.h"
#include "util/factory.h"
#include "xml/out_stream.h"

namespace ostrel {

class PositionGate;

// A configured, immutable tracking operation: it reads the contact (or, for
// coast, terminate and zombie passes, the frame's meta-data) and rewrites one
// hypothesis's TrackState in place. One filter object serves every
// hypothesis of every track, so it must keep no per-track state.
//
// Contract: read states from `contact` by kind, never modify it; in `track`,
// insert new states (never mutate inserted ones), add score increments to
// log_likelihood, and set gates to false to declare the hypothesis
// inadmissible. Failures are raised as util::Exception.
class Filter {
public:
    virtual void update(const state::CompositeState& contact, TrackState& track) const = 0;
    // The filter's XML form; the default writes nothing.
    virtual void write(xml::OutStream&) const {}
    virtual ~Filter() = default;

    // True when `update` reads nothing of the contact but its TimeState, so
    // that one pass serves every contact of the same time. The tracker then
    // runs it once per hypothesis and frame (predict once) instead of once
    // per candidate contact.
    virtual bool reads_contact_time_only() const { return false; }
    // The position gate that decides this filter's `gates`, or null when the
    // filter has none that can be bounded (see PositionGate).
    virtual const PositionGate* position_gate() const { return nullptr; }
};

using FilterPtr = util::CountedPtr<const Filter>;
using FilterFactory = util::QuerierFactory<util::CountedPtr<const Filter>>;
// The filter factory: every operation of the filter library by its key.
FilterFactory& filter_factory();

// Builds the filter named by the first child element of `slot`.
FilterPtr make_filter_in(const xml::Querier& slot);

}  // namespace ostrel
