#include "simulation/track_labeler.h"

#include <limits>
#include <memory>

#include "model/label.h"
#include "model/track_label_state.h"

namespace smltr {

const config::Schema<TrackLabeler::Parameters>& TrackLabeler::schema() {
    static const auto schema =
        config::Schema<Parameters>("track_labeler", "gives each new target a track label of its own")
            .required(&Parameters::first_id, "first_id", "the number of the first label handed out");
    return schema;
}

TrackLabeler::TrackLabeler(const Parameters& parameters)
    : source_(state::take_label_source()), next_id_(schema().validate(parameters).first_id) {}

void TrackLabeler::simulate(state::CompositeState& target) {
    // Numbers must stay unique: running past the largest one is an error
    // rather than a silent wrap-around to a label already handed out.
    if (next_id_ > std::numeric_limits<std::int32_t>::max())
        throw util::Exception("track_labeler: label numbers exhausted: next id = " +
                              std::to_string(next_id_));
    const state::Label label{source_, static_cast<std::int32_t>(next_id_)};
    target.insert(std::make_shared<const state::TrackLabelState>(label));
    ++next_id_;
}

}  // namespace smltr
