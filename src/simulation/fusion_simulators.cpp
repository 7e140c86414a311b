#include "simulation/fusion_simulators.h"

#include <cmath>
#include <limits>
#include <memory>

#include "model/fusion/gps_id_state.h"
#include "model/fusion/radar_emission_estimate_state.h"
#include "model/fusion/radar_emission_state.h"
#include "model/label.h"
#include "model/track_label_state.h"
#include "simulation/target_time.h"

namespace fusion {

const config::Schema<GpsIdLabeler::Parameters>& GpsIdLabeler::schema() {
    static const config::Schema<Parameters> schema("gps_id_labeler", "gives each target the next GPS id");
    return schema;
}

const config::Schema<GpsTrackLabeler::Parameters>& GpsTrackLabeler::schema() {
    static const config::Schema<Parameters> schema("gps_track_labeler",
                                                   "labels each target's track with its GPS id");
    return schema;
}

const config::Schema<RadarEmissionStateSimulator::Parameters>& RadarEmissionStateSimulator::schema() {
    static const config::Schema<Parameters> schema("radar_emission_state_simulator",
                                                   "draws each target's radar emission from its law");
    return schema;
}

namespace {
std::int32_t next_gps_id() {
    static std::int32_t last = 0;
    if (last == std::numeric_limits<std::int32_t>::max())
        throw util::Exception("gps_id_labeler: GPS ids exhausted");
    return ++last;
}
}  // namespace

void GpsIdLabeler::simulate(state::CompositeState& target) {
    target.insert(std::make_shared<const GpsIdState>(next_gps_id()));
}

GpsTrackLabeler::GpsTrackLabeler() : source_(state::take_label_source()) {}

void GpsTrackLabeler::simulate(state::CompositeState& target) {
    const auto gps_id = target.get_ptr<GpsIdState>();
    if (!gps_id)
        throw util::Exception("gps_track_labeler: the target has no gps_id_state");
    target.insert(
        std::make_shared<const state::TrackLabelState>(state::Label{source_, gps_id->gps_id}));
}

void RadarEmissionStateSimulator::simulate(state::CompositeState& target) {
    const auto law = target.get_ptr<RadarEmissionEstimateState>();
    if (!law)
        throw util::Exception(
            "radar_emission_state_simulator: the target has no radar_emission_estimate_state");
    const double variance = law->frequency.covariance(0, 0);
    if (!(variance >= 0.0))
        throw util::Exception("radar_emission_state_simulator: negative frequency variance: " +
                              std::to_string(variance));
    // f = mean + sqrt(variance) z
    const double frequency = law->frequency.mean[0] + std::sqrt(variance) * normal_.next();
    target.insert(
        std::make_shared<const RadarEmissionState>(smltr::target_time(target, law->time), frequency));
}

}  // namespace fusion
