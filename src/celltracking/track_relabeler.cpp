#include "celltracking/track_relabeler.h"

#include <limits>

#include "celltracking/track_access.h"
#include "model/states/track_parent_state.h"
#include "model/track_label_state.h"

namespace ostrel {

const config::Schema<TrackRelabeler::Parameters>& TrackRelabeler::schema() {
    static const auto schema =
        config::Schema<Parameters>(key(), "renumbers tracks in order of first appearance under a label source "
                                          "of its own")
            .required(&Parameters::first_id, "first_id", "the number of the first track");
    return schema;
}

TrackRelabeler::TrackRelabeler(const Parameters& parameters)
    // Checked before a label source is taken.
    : source_((schema().validate(parameters), state::take_label_source())), next_(parameters.first_id) {}

std::int32_t TrackRelabeler::number_of(const state::Label& old_label) {
    auto found = numbers_.find(old_label);
    if (found != numbers_.end()) return found->second;
    if (next_ > std::numeric_limits<std::int32_t>::max())
        throw util::Exception("track_relabeler: no label number left for a new track, next number = " +
                              std::to_string(next_));
    const auto number = static_cast<std::int32_t>(next_++);
    numbers_.emplace(old_label, number);
    return number;
}

void TrackRelabeler::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        child().push_frame(nullptr);
        return;
    }
    const auto& input = isbi::composite_frame(frame);
    std::vector<state::CompositeStatePtr> relabelled;
    relabelled.reserve(input.composite_states.size());
    for (const auto& track : input.composite_states) {
        const state::Label label{source_, number_of(isbi::track_label(*track))};
        // A copy of the set: the states themselves are shared, the set that
        // upstream stages still hold keeps its old label.
        auto copy = std::make_shared<state::CompositeState>(*track);
        copy->insert(std::make_shared<const state::TrackLabelState>(label));
        // A parent named by an earlier stage is renumbered with the rest, so
        // the lineage still points at the mother's track.
        if (const auto parent = track->get_ptr<ostrel::TrackParentState>())
            copy->insert(std::make_shared<const ostrel::TrackParentState>(
                state::Label{source_, number_of(parent->parent)}));
        relabelled.push_back(std::move(copy));
    }
    child().push_frame(isbi::with_tracks(input, std::move(relabelled)));
}

}  // namespace ostrel
