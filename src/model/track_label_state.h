#pragma once
#include "config/schema.h"
#include "model/label.h"
#include "model/state.h"

namespace state {

// The label of a contact or a track. Key "track_label_state".
class TrackLabelState : public StateTemplate<TrackLabelState> {
public:
    static const char* key() { return "track_label_state"; }
    explicit TrackLabelState(Label label) : label(label) {}
    // What the element holds: the "label" child.
    struct Form {
        Label label;
    };
    static const config::Schema<Form>& schema();

    explicit TrackLabelState(const xml::Querier& querier) : label(schema().bind(querier).label) {}
    void write(xml::OutStream& out) const override;

    Label label;

protected:
    void write_as(xml::OutStream& out, const char* key) const;
};

}  // namespace state
