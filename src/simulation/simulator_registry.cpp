#include "simulation/simulator_registry.h"

#include <string>

#include "config/declare.h"
#include "model/fusion/gps_id_state.h"
#include "model/plotter/plotter_covariance_state.h"
#include "model/plotter/plotter_point_state.h"
#include "model/contact_state.h"
#include "model/states/confirmed_state.h"
#include "model/states/last_contact_time_state.h"
#include "model/states/m_of_n_state.h"
#include "model/states/missed_detection_count_state.h"
#include "model/states/str_m_of_n_state.h"
#include "model/states/time_previous_time_state.h"
#include "simulation/composite_simulator.h"
#include "simulation/fusion_simulators.h"
#include "simulation/gaussian_feature_sensors.h"
#include "simulation/mou_simulators.h"
#include "simulation/ou_feature_simulators.h"
#include "simulation/ou_simulators.h"
#include "simulation/plotter_accessors.h"
#include "simulation/plotter_creators.h"
#include "simulation/position_sensor.h"
#include "simulation/probabilistic_simulator.h"
#include "simulation/state_eraser_simulator.h"
#include "simulation/state_inserters.h"
#include "simulation/track_labeler.h"

namespace smltr {

namespace {

template <class T>
void add(const std::string& key) {
    config::register_key<Simulator, T>(factory(), key);
}

// Keys of the simulators proper.
void register_processes() {
    add<CompositeSimulator>("composite_simulator");
    add<TrackLabeler>("track_labeler");
    add<fusion::GpsIdLabeler>("gps_id_labeler");
    add<fusion::GpsTrackLabeler>("gps_track_labeler");
    add<fusion::RadarEmissionStateSimulator>("radar_emission_state_simulator");
    add<truth::ConstStateInserter>("const_state_inserter");
    add<truth::XmlStateInserter>("xml_state_inserter");

    add<truth::MouSteadyStateSimulator<1>>(truth::MouSteadyStateSimulator<1>::key());
    add<truth::MouSteadyStateSimulator<2>>(truth::MouSteadyStateSimulator<2>::key());
    add<truth::MouSteadyStateSimulator<3>>(truth::MouSteadyStateSimulator<3>::key());
    add<truth::MouSimulator<1>>(truth::MouSimulator<1>::key());
    add<truth::MouSimulator<2>>(truth::MouSimulator<2>::key());
    add<truth::MouSimulator<3>>(truth::MouSimulator<3>::key());

    add<truth::OuSteadyStateSimulator<1>>(truth::OuSteadyStateSimulator<1>::key());
    add<truth::OuSteadyStateSimulator<2>>(truth::OuSteadyStateSimulator<2>::key());
    add<truth::OuSteadyStateSimulator<3>>(truth::OuSteadyStateSimulator<3>::key());
    add<truth::OuSimulator<1>>(truth::OuSimulator<1>::key());
    add<truth::OuSimulator<2>>(truth::OuSimulator<2>::key());
    add<truth::OuSimulator<3>>(truth::OuSimulator<3>::key());

    using namespace truth;
    add<OuGaussianFeatureSteadyStateSimulator<1>>(OuGaussianFeatureSteadyStateSimulator<1>::key());
    add<OuGaussianFeatureSteadyStateSimulator<2>>(OuGaussianFeatureSteadyStateSimulator<2>::key());
    add<OuGaussianFeatureSteadyStateSimulator<3>>(OuGaussianFeatureSteadyStateSimulator<3>::key());
    add<OuGaussianFeatureSteadyStateSimulator<4>>(OuGaussianFeatureSteadyStateSimulator<4>::key());
    add<OuGaussianFeatureVectorSteadyStateSimulator>(OuGaussianFeatureVectorSteadyStateSimulator::key());
    add<OuGaussianFeatureSimulator<1>>(OuGaussianFeatureSimulator<1>::key());
    add<OuGaussianFeatureSimulator<2>>(OuGaussianFeatureSimulator<2>::key());
    add<OuGaussianFeatureSimulator<3>>(OuGaussianFeatureSimulator<3>::key());
    add<OuGaussianFeatureSimulator<4>>(OuGaussianFeatureSimulator<4>::key());
    add<OuGaussianFeatureVectorSimulator>(OuGaussianFeatureVectorSimulator::key());

    add<ProbabilisticSimulator>("probabilistic_simulator");
}

// Keys of the sensors and state erasers.
void register_sensors() {
    using snsr::PositionSensor;
    using snsr::StateEraserSimulator;
    add<PositionSensor<state::PositionState<1>>>(PositionSensor<state::PositionState<1>>::key());
    add<PositionSensor<state::PositionState<2>>>(PositionSensor<state::PositionState<2>>::key());
    add<PositionSensor<state::PositionState<3>>>(PositionSensor<state::PositionState<3>>::key());
    add<PositionSensor<state::PositionVelocityState<1>>>(
        PositionSensor<state::PositionVelocityState<1>>::key());
    add<PositionSensor<state::PositionVelocityState<2>>>(
        PositionSensor<state::PositionVelocityState<2>>::key());
    add<PositionSensor<state::PositionVelocityState<3>>>(
        PositionSensor<state::PositionVelocityState<3>>::key());

    add<snsr::GaussianFeatureStateSensor<1>>(snsr::GaussianFeatureStateSensor<1>::key());
    add<snsr::GaussianFeatureStateSensor<2>>(snsr::GaussianFeatureStateSensor<2>::key());
    add<snsr::GaussianFeatureStateSensor<3>>(snsr::GaussianFeatureStateSensor<3>::key());
    add<snsr::GaussianFeatureStateSensor<4>>(snsr::GaussianFeatureStateSensor<4>::key());
    add<snsr::GaussianFeatureVectorStateSensor>(snsr::GaussianFeatureVectorStateSensor::key());

    add<StateEraserSimulator<pltr::PlotterPointState<2>>>("plotter_point_state_eraser_2d");
    add<StateEraserSimulator<pltr::PlotterCovarianceState<2>>>("plotter_covariance_state_eraser_2d");
    add<StateEraserSimulator<pltr::PlotterPointState<3>>>("plotter_point_state_eraser_3d");
    add<StateEraserSimulator<pltr::PlotterCovarianceState<3>>>("plotter_covariance_state_eraser_3d");
    add<StateEraserSimulator<ostrel::TimePreviousTimeState>>("time_previous_time_state_eraser");
    add<StateEraserSimulator<ostrel::MissedDetectionCountState>>("missed_detection_count_state_eraser");
    add<StateEraserSimulator<ostrel::LastContactTimeState>>("last_contact_time_state_eraser");
    add<StateEraserSimulator<state::ContactState>>("contact_state_eraser");
    add<StateEraserSimulator<ostrel::MofNState>>("m_of_n_state_eraser");
    add<StateEraserSimulator<str::StrMofNState>>("str_m_of_n_state_eraser");
    add<StateEraserSimulator<ostrel::ConfirmedState>>("confirmed_state_eraser");
}

template <class Accessor>
void add_point(const std::string& key) {
    add<pltr::PlotterPointCreator<Accessor>>(key);
}
template <class Accessor>
void add_covariance(const std::string& key) {
    add<pltr::PlotterCovarianceCreator<Accessor>>(key);
}

// Keys of the plotter point creators, then the covariance creators.
void register_plotter_creators() {
    using namespace pltr;
    const std::string point = "_to_plotter_point_transformer_";
    const std::string covariance = "_to_plotter_covariance_transformer_";
    add_point<PositionAccessor<2>>("position" + point + "2d");
    add_point<PositionAccessor<3>>("position" + point + "3d");
    add_point<PositionEstimateAccessor<2>>("position_estimate" + point + "2d");
    add_point<PositionEstimateAccessor<3>>("position_estimate" + point + "3d");
    add_point<PositionVelocityPositionAccessor<2>>("position_velocity_position" + point + "2d");
    add_point<PositionVelocityPositionAccessor<3>>("position_velocity_position" + point + "3d");
    add_point<PositionVelocityEstimatePositionAccessor<2>>(
        "position_velocity_estimate_position" + point + "2d");
    add_point<PositionVelocityEstimatePositionAccessor<3>>(
        "position_velocity_estimate_position" + point + "3d");
    add_point<PositionVelocity3dPosition2dAccessor>("position_velocity_3d_position" + point + "2d");
    add_point<PositionVelocity3dVelocity2dAccessor>("position_velocity_3d_velocity" + point + "2d");
    add_point<PositionEstimate3dPosition2dAccessor>("position_estimate_3d" + point + "2d");
    add_point<PositionVelocityVelocityAccessor<2>>("position_velocity_velocity" + point + "2d");
    add_point<PositionVelocityVelocityAccessor<3>>("position_velocity_velocity" + point + "3d");
    add_point<PositionVelocityEstimateVelocityAccessor<2>>(
        "position_velocity_estimate_velocity" + point + "2d");
    add_point<PositionVelocityEstimateVelocityAccessor<3>>(
        "position_velocity_estimate_velocity" + point + "3d");
    add_point<GaussianFeatureAccessor<2>>("gaussian_feature" + point + "2d");
    add_point<GaussianFeatureAccessor<3>>("gaussian_feature" + point + "3d");
    add_point<PositionVelocityEstimate3dPosition2dAccessor>(
        "position_velocity_estimate_3d" + point + "2d");
    add_point<RangeThetaPhiEstimatePosition2dAccessor>("range_theta_phi_estimate" + point + "2d");
    add_point<ThetaPhiEstimatePosition2dAccessor>("theta_phi_estimate" + point + "2d");

    add_covariance<PositionEstimateAccessor<2>>("position_estimate" + covariance + "2d");
    add_covariance<PositionVelocityEstimatePositionAccessor<2>>(
        "position_velocity_estimate_position" + covariance + "2d");
    add_covariance<PositionVelocityEstimateVelocityAccessor<2>>(
        "position_velocity_estimate_velocity" + covariance + "2d");
    add_covariance<GaussianFeatureAccessor<2>>("gaussian_feature" + covariance + "2d");
    add_covariance<PositionEstimate3dPosition2dAccessor>("position_estimate_3d" + covariance + "2d");
    add_covariance<PositionVelocityEstimate3dPosition2dAccessor>(
        "position_velocity_estimate_3d" + covariance + "2d");
    add_covariance<RangeThetaPhiEstimatePosition2dAccessor>(
        "range_theta_phi_estimate" + covariance + "2d");
    add_covariance<ThetaPhiEstimatePosition2dAccessor>("theta_phi_estimate" + covariance + "2d");
}

}  // namespace

void register_simulators() {
    register_processes();
    register_sensors();
    register_plotter_creators();
}

}  // namespace smltr
