#include "celltracking/meta_data_state_inserter.h"

#include "celltracking/track_access.h"

namespace truth {

MetaDataStateInserter::MetaDataStateInserter(const xml::Querier& querier)
    : state_(state::factory().create(querier.tag())) {
    if (!state_) throw util::Exception("meta_data_state_inserter: the state factory made no state");
}

void MetaDataStateInserter::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        child().push_frame(nullptr);
        return;
    }
    const auto& input = isbi::composite_frame(frame);
    auto output = isbi::with_tracks(input, input.composite_states);
    // The own states are copied so that the frame received stays as it was.
    output->meta_data = input.meta_data ? std::make_shared<state::CompositeState>(*input.meta_data)
                                        : std::make_shared<state::CompositeState>();
    output->meta_data->insert(state_);
    child().push_frame(output);
}

}  // namespace truth
