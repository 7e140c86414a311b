#include "filters/missed_detection_scores.h"

#include <cmath>

#include "model/states/detection_probability_state.h"

namespace ostrel {

void MissedDetectionScoreInserter::update(const state::CompositeState& contact,
                                          TrackState& track) const {
    const double p = contact.get<snsr::DetectionProbabilityState>().detection_probability;
    // ln P(miss) = ln(1 - p)
    track.log_likelihood += std::log1p(-p);
}

namespace {
double missed_score(const xml::Querier& querier) {
    const double pd = querier.read<double>("detection_probability");
    if (!(pd > 0.0)) throw util::Exception("detection_probability is not positive");
    if (pd > 1.0) throw util::Exception("detection_probability is not less than or equal to one");
    // c = ln(1 - Pd)
    return std::log1p(-pd);
}
}  // namespace

InfiniteFootprintMissedDetectionScoreInserter::InfiniteFootprintMissedDetectionScoreInserter(
    const xml::Querier& querier)
    : missed_score_(missed_score(querier)) {}

void InfiniteFootprintMissedDetectionScoreInserter::update(const state::CompositeState&,
                                                           TrackState& track) const {
    track.log_likelihood += missed_score_;
}

}  // namespace ostrel
