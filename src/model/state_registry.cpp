#include "model/state_registry.h"

#include "config/declare.h"

#include "model/contact_state.h"
#include "model/contacts/emission_estimate_state.h"
#include "model/contacts/esm_contact.h"
#include "model/contacts/gps_contact.h"
#include "model/contacts/range_theta_phi_estimate_state.h"
#include "model/contacts/spherical_contact.h"
#include "model/contacts/theta_phi_estimate_state.h"
#include "model/fusion/allegiance_state.h"
#include "model/fusion/frequency_footprint_state.h"
#include "model/fusion/gps_id_state.h"
#include "model/fusion/platform_type_distribution_state.h"
#include "model/fusion/platform_type_state.h"
#include "model/fusion/radar_emission_estimate_state.h"
#include "model/fusion/radar_emission_state.h"
#include "model/fusion/sensor_state.h"
#include "model/plotter/color_state.h"
#include "model/plotter/figure_state.h"
#include "model/plotter/plotter_covariance_state.h"
#include "model/plotter/plotter_point_state.h"
#include "model/states/confirmed_state.h"
#include "model/states/contact_label_state.h"
#include "model/states/detection_probability_state.h"
#include "model/states/filter_key_state.h"
#include "model/states/footprint_state.h"
#include "model/states/frame_label_state.h"
#include "model/states/gaussian_feature_state.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "model/states/last_contact_time_state.h"
#include "model/states/m_of_n_state.h"
#include "model/states/minimum_speed_state.h"
#include "model/states/missed_detection_count_state.h"
#include "model/states/mops_id_state.h"
#include "model/states/no_contact_state.h"
#include "model/states/platform_type_distribution_state.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/position_velocity_state.h"
#include "model/states/sensor_type_state.h"
#include "model/states/str_m_of_n_state.h"
#include "model/states/time_previous_time_state.h"
#include "model/states/time_state.h"
#include "model/states/track_parent_state.h"
#include "model/states/truth_state.h"
#include "model/track_label_state.h"

namespace state {

namespace {

// The entry of a class registered under its own key. Every state kind
// declares the schema of its element, for --describe and for the report of
// unknown children.
template <class X>
StateKey entry(const std::string& key) {
    static_assert(config::HasSchema<X>::value, "a state kind declares its element in a schema");
    return {key, &util::create<State, X>, &config::declare_schema_of<X>};
}
template <class X>
StateKey entry() {
    return entry<X>(std::string(X::key()));
}

// The correct spelling of the platform-type belief reads either form.
void declare_either_platform_belief(const std::string& key) {
    config::declare(key, fusion::PlatformTypeDistributionState::either_schema());
}

template <template <int> class X>
void add_dimensions(std::vector<StateKey>& keys) {
    keys.push_back(entry<X<1>>());
    keys.push_back(entry<X<2>>());
    keys.push_back(entry<X<3>>());
}

std::vector<StateKey> build_keys() {
    std::vector<StateKey> keys;
    auto add = [&keys](StateKey k) { keys.push_back(std::move(k)); };

    // Track bookkeeping.
    add(entry<ostrel::LastContactTimeState>());
    add(entry<ostrel::TimePreviousTimeState>());
    add(entry<ostrel::MissedDetectionCountState>());
    add(entry<ostrel::MofNState>());
    add(entry<str::StrMofNState>());
    add(entry<ostrel::ConfirmedState>());
    add(entry<ostrel::TrackParentState>());
    add(entry<ostrel::NoContactState>());
    add(entry<ostrel::FilterKeyState>());
    add(entry<TimeState>());

    // Labels and nested sets.
    add(entry<TrackLabelState>("track_label_state"));
    add(entry<FrameLabelState>());
    add(entry<ContactLabelState>());
    add(entry<ostrel::MopsIdState>());
    add(entry<ContactState>("contact_state"));
    add(entry<TruthState>());

    // Kinematics.
    add_dimensions<PositionState>(keys);
    add_dimensions<PositionVelocityState>(keys);
    add_dimensions<PositionEstimateState>(keys);
    add_dimensions<PositionVelocityEstimateState>(keys);
    add(entry<FootprintState<PositionEstimateState<1>>>());
    add(entry<FootprintState<PositionEstimateState<2>>>());
    add(entry<FootprintState<PositionEstimateState<3>>>());
    add(entry<FootprintState<PositionVelocityEstimateState<1>>>());
    add(entry<FootprintState<PositionVelocityEstimateState<2>>>());
    add(entry<FootprintState<PositionVelocityEstimateState<3>>>());

    // Features.
    add(entry<GaussianFeatureState<1>>());
    add(entry<GaussianFeatureState<2>>());
    add(entry<GaussianFeatureState<3>>());
    add(entry<GaussianFeatureState<4>>());
    add(entry<GaussianFeatureVectorState>());

    // Sensor context and platform beliefs.
    add(entry<snsr::SensorTypeState>());
    add(entry<snsr::DetectionProbabilityState>());
    add(entry<snsr::MinimumSpeedState>());
    // The correct spelling reads either platform-type belief by its form.
    add({ostrel::PlatformTypeDistributionState::key(), &fusion::PlatformTypeDistributionState::create_either,
         &declare_either_platform_belief});
    add(entry<fusion::PlatformTypeDistributionState>());

    // Contact kinds.
    add(entry<ThetaPhiEstimateState>());
    add(entry<RangeThetaPhiEstimateState>());
    add(entry<EmissionEstimateState>());
    add(entry<ostrel::SphericalContact>(ostrel::SphericalContact::alias_key()));
    add(entry<ostrel::SphericalContact>());
    add(entry<ostrel::EsmContact>());
    add(entry<ostrel::GpsContact<3>>());

    // Fusion sensor and emission states.
    add(entry<fusion::AllegianceState>());
    add(entry<fusion::RadarEmissionState>());
    add(entry<fusion::RadarEmissionEstimateState>());
    add(entry<fusion::EsmSensorState<0>>());
    add(entry<fusion::EsmSensorState<1>>());
    add(entry<fusion::EsmSensorState<2>>());
    add(entry<fusion::ImagingSensorState>());
    add(entry<fusion::RadarSensorState>());
    add(entry<fusion::ImageSensorState>());
    add(entry<fusion::GpsIdState>());
    add(entry<fusion::PlatformTypeState>());
    add(entry<fusion::FrequencyFootprintState>());

    // Plotter, figure and colour states.
    add(entry<pltr::PlotterPointState<2>>());
    add(entry<pltr::PlotterPointState<3>>());
    add(entry<pltr::PlotterCovarianceState<2>>());
    add(entry<pltr::PlotterCovarianceState<3>>());
    add(entry<pltr::FigureState>());
    add(entry<pltr::ColorState>());
    return keys;
}

}  // namespace

const std::vector<StateKey>& state_keys() {
    static const std::vector<StateKey> keys = build_keys();
    return keys;
}

void register_states(StateFactory& factory) {
    for (const StateKey& k : state_keys()) {
        util::register_key(factory, k.key, k.creator);
        if (k.declare != nullptr) k.declare(k.key);
    }
}

}  // namespace state
