#include "filters/gaters.h"

#include <cmath>

#include "filters/filter_schema.h"
#include "model/states/last_contact_time_state.h"
#include "model/states/missed_detection_count_state.h"
#include "model/states/time_state.h"

namespace ostrel {

const config::Schema<MaximumMissedDetectionGater::Parameters>& MaximumMissedDetectionGater::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("maximum_missed_detection_gater", "rejects a track that missed too many detections")
            .required(&P::maximum_missed_detections, "maximum_missed_detections",
                      "the most missed detections a track may have",
                      config::non_negative<int>().says("maximum missed detections is negative"))
            .product(&P::filter, "filter", filter_form(), "the filter run for a track within the maximum",
                     &make_filter_in);
    return schema;
}

MaximumMissedDetectionGater::MaximumMissedDetectionGater(const Parameters& parameters)
    : maximum_missed_detections_(schema().validate(parameters).maximum_missed_detections),
      inner_(parameters.filter) {}

void MaximumMissedDetectionGater::update(const state::CompositeState& contact,
                                         TrackState& track) const {
    if (maximum_missed_detections_ < track.states.get<MissedDetectionCountState>().count) {
        track.gates = false;
        return;
    }
    inner_->update(contact, track);
}

const config::Schema<MaximumCoastTimeGater::Parameters>& MaximumCoastTimeGater::schema() {
    using P = Parameters;
    // Negative first; a NaN maximum would never reject anything.
    const config::Check<double> not_negative{"non-negative",
                                             [](const double& x) { return !(x < 0.0); },
                                             "maximum coast time is negative"};
    static const auto schema =
        config::Schema<P>("maximum_coast_time_gater", "rejects a pass too long after the track's last contact")
            .required(&P::maximum_coast_time, "maximum_coast_time",
                      "the longest time after the last contact a track may coast; inf: no limit", not_negative,
                      config::a_number().says("{element} is not a number: {entry} = {value}"))
            .product(&P::filter, "filter", filter_form(), "the filter run for a pass within the maximum",
                     &make_filter_in);
    return schema;
}

MaximumCoastTimeGater::MaximumCoastTimeGater(const Parameters& parameters)
    : maximum_coast_time_(schema().validate(parameters).maximum_coast_time), inner_(parameters.filter) {}

void MaximumCoastTimeGater::update(const state::CompositeState& contact, TrackState& track) const {
    const double time = contact.get<state::TimeState>().time;
    const double last = track.states.get<LastContactTimeState>().last_contact_time;
    if (time - last > maximum_coast_time_) {
        track.gates = false;
        return;
    }
    inner_->update(contact, track);
}

const config::Schema<GateGater::Parameters>& GateGater::schema() {
    static const auto schema =
        config::Schema<Parameters>("gate_gater", "runs its filter only while the hypothesis is admissible")
            .contents(&Parameters::filter, "a filter element", "the filter", &make_filter_in);
    return schema;
}

GateGater::GateGater(const Parameters& parameters) : inner_(schema().validate(parameters).filter) {}

void GateGater::update(const state::CompositeState& contact, TrackState& track) const {
    if (track.gates) inner_->update(contact, track);
}

}  // namespace ostrel
