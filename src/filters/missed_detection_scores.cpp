#include "filters/missed_detection_scores.h"

#include <cmath>

#include "model/states/detection_probability_state.h"

namespace ostrel {

const config::Schema<config::NoParameters>& MissedDetectionScoreInserter::schema() {
    return config::parameterless("missed_detection_score_inserter",
                                 "scores a missed detection by the contact's detection probability");
}

void MissedDetectionScoreInserter::update(const state::CompositeState& contact, TrackState& track) const {
    const double p = contact.get<snsr::DetectionProbabilityState>().detection_probability;
    // ln P(miss) = ln(1 - p)
    track.log_likelihood += std::log1p(-p);
}

const config::Schema<InfiniteFootprintMissedDetectionScoreInserter::Parameters>&
InfiniteFootprintMissedDetectionScoreInserter::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("infinite_footprint_missed_detection_score_inserter",
                          "scores a missed detection of a sensor that sees everywhere")
            .required(&P::detection_probability, "detection_probability", "the sensor's detection probability",
                      config::positive<double>().says("detection_probability is not positive"),
                      config::at_most(1.0).says("detection_probability is not less than or equal to one"));
    return schema;
}

// c = ln(1 - Pd)
InfiniteFootprintMissedDetectionScoreInserter::InfiniteFootprintMissedDetectionScoreInserter(
    const Parameters& parameters)
    : missed_score_(std::log1p(-schema().validate(parameters).detection_probability)) {}

void InfiniteFootprintMissedDetectionScoreInserter::update(const state::CompositeState&, TrackState& track) const {
    track.log_likelihood += missed_score_;
}

}  // namespace ostrel
