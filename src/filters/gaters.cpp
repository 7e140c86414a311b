#include "filters/gaters.h"

#include <cmath>

#include "filters/filter_parameters.h"
#include "model/states/last_contact_time_state.h"
#include "model/states/missed_detection_count_state.h"
#include "model/states/time_state.h"

namespace ostrel {

namespace {

std::int32_t read_maximum_missed_detections(const xml::Querier& querier) {
    const auto maximum = querier.read<std::int32_t>("maximum_missed_detections");
    if (maximum < 0) throw util::Exception("maximum missed detections is negative");
    return maximum;
}

double read_maximum_coast_time(const xml::Querier& querier) {
    const double maximum = querier.read<double>("maximum_coast_time");
    if (maximum < 0.0) throw util::Exception("maximum coast time is negative");
    // A NaN maximum would never reject anything.
    if (std::isnan(maximum))
        throw util::Exception("maximum_coast_time is not a number: maximum_coast_time = " +
                              number_text(maximum));
    return maximum;
}

}  // namespace

MaximumMissedDetectionGater::MaximumMissedDetectionGater(const xml::Querier& querier)
    : maximum_missed_detections_(read_maximum_missed_detections(querier)),
      inner_(make_filter_in(querier.tag("filter"))) {}

void MaximumMissedDetectionGater::update(const state::CompositeState& contact,
                                         TrackState& track) const {
    if (maximum_missed_detections_ < track.states.get<MissedDetectionCountState>().count) {
        track.gates = false;
        return;
    }
    inner_->update(contact, track);
}

MaximumCoastTimeGater::MaximumCoastTimeGater(const xml::Querier& querier)
    : maximum_coast_time_(read_maximum_coast_time(querier)),
      inner_(make_filter_in(querier.tag("filter"))) {}

void MaximumCoastTimeGater::update(const state::CompositeState& contact, TrackState& track) const {
    const double time = contact.get<state::TimeState>().time;
    const double last = track.states.get<LastContactTimeState>().last_contact_time;
    if (time - last > maximum_coast_time_) {
        track.gates = false;
        return;
    }
    inner_->update(contact, track);
}

GateGater::GateGater(const xml::Querier& querier) : inner_(make_filter_in(querier)) {}

void GateGater::update(const state::CompositeState& contact, TrackState& track) const {
    if (track.gates) inner_->update(contact, track);
}

}  // namespace ostrel
