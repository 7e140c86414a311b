#pragma once
#include <cstdint>

#include "config/schema.h"
#include "tracker/filter.h"

namespace ostrel {

// Gaters reject a hypothesis (gates = false) or pass the same contact and
// track on to their inner filter.

// Key "maximum_missed_detection_gater"; parameters "maximum_missed_detections"
// (not negative) and "filter": rejects a track whose MissedDetectionCountState
// exceeds the maximum.
class MaximumMissedDetectionGater : public Filter {
public:
    struct Parameters {
        std::int32_t maximum_missed_detections = 0;
        FilterPtr filter;
    };
    static const config::Schema<Parameters>& schema();

    explicit MaximumMissedDetectionGater(const Parameters& parameters);
    explicit MaximumMissedDetectionGater(const xml::Querier& querier)
        : MaximumMissedDetectionGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const std::int32_t maximum_missed_detections_;
    const FilterPtr inner_;
};

// Key "maximum_coast_time_gater"; parameters "maximum_coast_time" (not
// negative) and "filter": rejects a pass later than the maximum after the
// track's last contact (LastContactTimeState).
class MaximumCoastTimeGater : public Filter {
public:
    struct Parameters {
        double maximum_coast_time = 0;
        FilterPtr filter;
    };
    static const config::Schema<Parameters>& schema();

    explicit MaximumCoastTimeGater(const Parameters& parameters);
    explicit MaximumCoastTimeGater(const xml::Querier& querier) : MaximumCoastTimeGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double maximum_coast_time_;
    const FilterPtr inner_;
};

// Key "gate_gater"; its one child element is the inner filter, which runs
// only while the hypothesis is still admissible.
class GateGater : public Filter {
public:
    struct Parameters {
        FilterPtr filter;
    };
    static const config::Schema<Parameters>& schema();

    explicit GateGater(const Parameters& parameters);
    explicit GateGater(const xml::Querier& querier) : GateGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const FilterPtr inner_;
};

}  // namespace ostrel
