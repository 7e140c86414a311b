#include "filters/missed_detection_count.h"

#include "model/states/missed_detection_count_state.h"
#include "util/recent_values.h"

namespace ostrel {

const config::Schema<config::NoParameters>& MissedDetectionCountZeroer::schema() {
    return config::parameterless("missed_detection_count_zeroer", "sets the track's missed detection count to zero");
}

const config::Schema<config::NoParameters>& MissedDetectionCountIncrementer::schema() {
    return config::parameterless("missed_detection_count_incrementer", "adds one to the track's missed detection count");
}

void MissedDetectionCountZeroer::update(const state::CompositeState&, TrackState& track) const {
    track.states.insert(util::recent_shared<MissedDetectionCountState>(std::int32_t{0}));
}

void MissedDetectionCountIncrementer::update(const state::CompositeState&, TrackState& track) const {
    const std::int32_t count = track.states.get<MissedDetectionCountState>().count;
    track.states.insert(util::recent_shared<MissedDetectionCountState>(count + 1));
}

}  // namespace ostrel
