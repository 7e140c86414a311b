#pragma once
#include "config/parameterless.h"
#include "tracker/filter.h"

namespace ostrel {

// Key "missed_detection_score_inserter": adds ln(1 - p), p the detection
// probability carried by the contact argument (the frame's meta-data on a
// coast pass) as a DetectionProbabilityState.
class MissedDetectionScoreInserter : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    MissedDetectionScoreInserter() = default;
    explicit MissedDetectionScoreInserter(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "infinite_footprint_missed_detection_score_inserter": adds the constant
// ln(1 - Pd) of a sensor that sees everywhere; "detection_probability" Pd in
// (0, 1] (Pd = 1 makes every miss impossible: -inf).
class InfiniteFootprintMissedDetectionScoreInserter : public Filter {
public:
    struct Parameters {
        double detection_probability = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit InfiniteFootprintMissedDetectionScoreInserter(const Parameters& parameters);
    explicit InfiniteFootprintMissedDetectionScoreInserter(const xml::Querier& querier)
        : InfiniteFootprintMissedDetectionScoreInserter(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double missed_score_;
};

}  // namespace ostrel
