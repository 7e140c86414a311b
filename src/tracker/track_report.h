#pragma once
#include "model/composite_state.h"
#include "model/label.h"
#include "tracker/filter.h"
#include "tracker/track_state.h"
#include "util/counted_ptr.h"

namespace ostrel {

// A track state is filled by exactly one filter pass and then only read, so
// reports share it as const.
using TrackStatePtr = util::CountedPtr<const TrackState>;

// One contact (or, for the coast, killer and zombie reports, the frame's
// meta-data), the track state its last filter pass produced (null until a
// pass has been applied) and the three filters that may be applied to it.
// Copying a report copies five shared pointers; the objects are shared, and
// every operation below replaces pointers rather than changing what they
// point to, so copies never affect each other.
class TrackReport {
public:
    TrackReport() = default;
    TrackReport(state::CompositeStatePtr contact, FilterPtr updater, FilterPtr continuation_updater,
                FilterPtr initializer);
    // Reads a report element in either form: the one the program writes
    // ("track_contact" holding a "composite_state", "continuation_updater_",
    // "initializer_") or the hand-written one ("track_contact" holding the
    // states directly, "continuation_updater", "initializer"). An empty slot
    // element gives a null filter.
    explicit TrackReport(const xml::Querier& querier);

    // The contact's TrackLabelState label; "State::cast()" when it has none.
    const state::Label& contact_label() const;

    // Replaces the contact by a copy of its states holding a TrackLabelState
    // with `label`, and the track state (if any) by a copy whose label and
    // TrackLabelState are `label`.
    void relabel(const state::Label& label);

    // Each runs one filter pass on a fresh TrackState (log_likelihood 0,
    // gates true), stores it as this report's track state and returns it.
    // initialize: the state starts from the contact's label.
    const TrackState& initialize();
    // update / continue_from: the state starts as a copy of the parent's
    // states and label; the updater, or the continuation updater, runs.
    const TrackState& update(const TrackState& parent);
    const TrackState& continue_from(const TrackState& parent);

    // Element "track_report": "track_contact", "track_state" (only when
    // present), "updater", "continuation_updater_", "initializer_".
    void write(xml::OutStream& out) const;

    state::CompositeStatePtr contact;
    TrackStatePtr track_state;
    FilterPtr updater;
    FilterPtr continuation_updater;
    FilterPtr initializer;

private:
    const TrackState& apply(const FilterPtr& filter, const char* slot, TrackState fresh);
};

using TrackReportPtr = util::CountedPtr<TrackReport>;

}  // namespace ostrel
