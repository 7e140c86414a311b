#pragma once
#include <vector>

#include "filters/filter_schema.h"
#include "tracker/filter.h"

namespace ostrel {

// Key "passive_platform_type_sensor_coast_updater_and_gater": what a
// passive sensor's silence says about a track's platform type. Only the
// platform types in "broadcasting_platform_types" emit what the sensor
// receives, each detected with the probability of the frame's
// DetectionProbabilityState (Pd), so on a coast pass
//   q_t = 1 - Pd for a broadcasting type, 1 otherwise;
//   p_t' = p_t q_t; e = sum p_t' (the probability of hearing nothing),
// with p the track's PlatformTypeDistributionState. The "gate" bounds the
// surprise of the silence: if -ln e >= gate (gate may be "infinity", which
// still rejects an impossible silence, e = 0) the hypothesis is rejected and
// nothing inserted. Otherwise ln e is scored, p' / e becomes the belief, and
// the inner filter ("filter") runs with the same arguments.
class PassivePlatformTypeSensorCoastUpdaterAndGater : public Filter {
public:
    struct Parameters {
        FilterPtr filter;
        double gate = 0;
        std::vector<int> broadcasting_platform_types;
    };
    static const config::Schema<Parameters>& schema();

    explicit PassivePlatformTypeSensorCoastUpdaterAndGater(const Parameters& parameters);
    explicit PassivePlatformTypeSensorCoastUpdaterAndGater(const xml::Querier& querier)
        : PassivePlatformTypeSensorCoastUpdaterAndGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const FilterPtr inner_;
    const double gate_;
    const std::vector<int> broadcasting_;
};

}  // namespace ostrel
