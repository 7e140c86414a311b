#pragma once
#include "config/schema.h"
#include "model/label.h"
#include "model/state.h"

namespace ostrel {

// The track a track descends from: put on a track's first state by a stage
// that decides divisions (or closes a gap), so that the result writers record
// the parent instead of guessing it from distances. Key "track_parent_state";
// written and read as a "label" child ("src", "id").
class TrackParentState : public state::StateTemplate<TrackParentState> {
public:
    static const char* key() { return "track_parent_state"; }

    explicit TrackParentState(state::Label parent) : parent(parent) {}
    // What the element holds: the "label" child.
    struct Form {
        state::Label label;
    };
    static const config::Schema<Form>& schema();

    explicit TrackParentState(const xml::Querier& querier) : parent(schema().bind(querier).label) {}
    void write(xml::OutStream& out) const override;

    const state::Label parent;
};

}  // namespace ostrel
