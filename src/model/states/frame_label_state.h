#pragma once
#include "model/track_label_state.h"

namespace state {

// A label issued per frame. It shares the identity of TrackLabelState: a
// composite holds at most one of the two, and a lookup of the track label
// finds either. Always cast to TrackLabelState; this class adds no data.
// Key "frame_label_state"; written like the track label under its own key.
class FrameLabelState : public TrackLabelState {
public:
    static const char* key() { return "frame_label_state"; }

    explicit FrameLabelState(Label label) : TrackLabelState(label) {}
    explicit FrameLabelState(const xml::Querier& querier) : TrackLabelState(querier) {}
    void write(xml::OutStream& out) const override { write_as(out, key()); }
};

}  // namespace state
