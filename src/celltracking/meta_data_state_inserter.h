#pragma once
#include "config/schema.h"
#include "model/state.h"
#include "pipeline/component.h"

namespace truth {

// Adds one configured state to the own states of every frame, for example
// the sensor type that tells the filter definer which filter set to apply.
// Key "meta_data_state_inserter"; its first child element is the state,
// built by the state factory from its own key.
class MetaDataStateInserter : public cmpnt::MonoChildComponent {
public:
    static const char* key() { return "meta_data_state_inserter"; }

    struct Parameters {
        state::StatePtr state;
    };
    static const config::Schema<Parameters>& schema();

    explicit MetaDataStateInserter(const Parameters& parameters);
    explicit MetaDataStateInserter(const xml::Querier& querier) : MetaDataStateInserter(schema().bind(querier)) {}

    // Non-null frames go on as a copy whose own states hold the state
    // (replacing one of the same kind); the null frame goes on unchanged.
    void push_frame(cmpnt::FramePtr frame) override;

private:
    state::StatePtr state_;
};

}  // namespace truth
