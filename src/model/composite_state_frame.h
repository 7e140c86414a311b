#pragma once
#include <vector>

#include "config/schema.h"
#include "model/composite_state.h"
#include "model/frame.h"

namespace frame {

// A frame of objects (contacts or tracks), each a set of states, plus states
// about the frame as a whole.
class CompositeStateFrame : public Frame {
public:
    explicit CompositeStateFrame(double time) : Frame(time) {}
    // What the element holds.
    struct Form {
        double time = 0.0;
        state::CompositeStatePtr meta_data;
        std::vector<state::CompositeStatePtr> composite_states;
    };
    static const config::Schema<Form>& schema();

    explicit CompositeStateFrame(const Form& form);
    explicit CompositeStateFrame(const xml::Querier& querier) : CompositeStateFrame(schema().bind(querier)) {}

    static const char* key() { return "composite_state_frame"; }
    static int static_type_id() { return identity<CompositeStateFrame>(); }
    int type_id() const override { return static_type_id(); }
    void write(xml::OutStream& out) const override;

    std::vector<state::CompositeStatePtr> composite_states;
    state::CompositeStatePtr meta_data = std::make_shared<state::CompositeState>();
};

}  // namespace frame
