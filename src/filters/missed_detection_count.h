#pragma once
#include "config/parameterless.h"
#include "tracker/filter.h"

namespace ostrel {

// Key "missed_detection_count_zeroer": MissedDetectionCountState(0), on track
// start and on every contact pass.
class MissedDetectionCountZeroer : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    MissedDetectionCountZeroer() = default;
    explicit MissedDetectionCountZeroer(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "missed_detection_count_incrementer": the track's count + 1, on a miss.
class MissedDetectionCountIncrementer : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    MissedDetectionCountIncrementer() = default;
    explicit MissedDetectionCountIncrementer(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

}  // namespace ostrel
