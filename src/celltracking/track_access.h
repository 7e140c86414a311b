#pragma once
#include <string>
#include <vector>

#include "model/composite_state_frame.h"
#include "model/label.h"
#include "pipeline/component.h"

namespace isbi {

// Reading the states that the post-processing stages rely on from one track
// of a tracker output frame (one CompositeState per track).

// The track's label, from its TrackLabelState ("State::cast()" when absent).
const state::Label& track_label(const state::CompositeState& track);

// The states of the contact the track took in this frame, from its
// ContactState.
const state::CompositeState& track_contact(const state::CompositeState& track);

// A coasting track holds a contact without a segment: the tracker predicted it
// but no segment was assigned to it in this frame.
bool is_coast(const state::CompositeState& track);

// The non-null frame as a CompositeStateFrame ("Frame::cast()" otherwise).
const frame::CompositeStateFrame& composite_frame(const cmpnt::FramePtr& frame);

// A new frame with the time and own states of `original` and the given
// tracks. Stages build new frames instead of editing the one they received,
// which another branch of a splitter may share.
util::CountedPtr<frame::CompositeStateFrame> with_tracks(const frame::CompositeStateFrame& original,
                                                         std::vector<state::CompositeStatePtr> tracks);

// A new frame with the tracks of `original` whose own states are a copy of
// the original's (none: empty) holding `state` in place of one of its kind;
// the frame received stays as it was.
util::CountedPtr<frame::CompositeStateFrame> with_own_state(const frame::CompositeStateFrame& original,
                                                            state::StatePtr state);

// Shortest text that reads back as the same double (times in messages).
std::string format_number(double value);

}  // namespace isbi
