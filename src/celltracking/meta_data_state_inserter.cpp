#include "celltracking/meta_data_state_inserter.h"

#include "celltracking/track_access.h"

namespace truth {

namespace {

state::StatePtr first_state_in(const xml::Querier& element) { return state::factory().create(element.tag()); }

}  // namespace

const config::Schema<MetaDataStateInserter::Parameters>& MetaDataStateInserter::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), "adds one state to the own states of every frame")
            .contents(&P::state, "a state element", "the state added (its first child element)", &first_state_in)
            .rule("state", "made by the state factory", [](const P& p) { return p.state != nullptr; },
                  [](const P&) { return std::string("none"); });
    return schema;
}

MetaDataStateInserter::MetaDataStateInserter(const Parameters& parameters)
    : state_(schema().validate(parameters).state) {}

void MetaDataStateInserter::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        child().push_frame(nullptr);
        return;
    }
    child().push_frame(isbi::with_own_state(isbi::composite_frame(frame), state_));
}

}  // namespace truth
