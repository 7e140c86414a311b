#pragma once
#include "tracker/filter.h"

namespace ostrel {

// Key "missed_detection_score_inserter": adds ln(1 - p), p the detection
// probability carried by the contact argument (the frame's meta-data on a
// coast pass) as a DetectionProbabilityState.
class MissedDetectionScoreInserter : public Filter {
public:
    explicit MissedDetectionScoreInserter(const xml::Querier&) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "infinite_footprint_missed_detection_score_inserter": adds the constant
// ln(1 - Pd) of a sensor that sees everywhere; "detection_probability" Pd in
// (0, 1] (Pd = 1 makes every miss impossible: -inf).
class InfiniteFootprintMissedDetectionScoreInserter : public Filter {
public:
    explicit InfiniteFootprintMissedDetectionScoreInserter(const xml::Querier& querier);
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double missed_score_;
};

}  // namespace ostrel
