// Every registered state key: a sample element is read through the state
// factory, written, and compared with its form element by element; where the
// written form is readable, reading it again gives the same state.
#include <gtest/gtest.h>

#include <set>

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
#include "model/states/track_parent_state.h"
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
#include "model/states/truth_state.h"
#include "model/track_label_state.h"
#include "state_test_support.h"
#include "xml/strictness.h"

namespace {

using namespace state_test;

enum class Back {
    same,        // the written form reads back into the same state
    not_taken,   // the design writes a form its reader does not take
};

struct Form {
    const char* key;
    int (*type_id)();  // the class the key must build
    const char* sample;
    const char* expected;  // the written form on one line
    Back back;
};

template <class X>
int id() {
    return X::static_type_id();
}

using PE1 = state::PositionEstimateState<1>;
using PE2 = state::PositionEstimateState<2>;
using PE3 = state::PositionEstimateState<3>;
using PVE1 = state::PositionVelocityEstimateState<1>;
using PVE2 = state::PositionVelocityEstimateState<2>;
using PVE3 = state::PositionVelocityEstimateState<3>;

const Form forms[] = {
    {"last_contact_time_state", id<ostrel::LastContactTimeState>,
     "<last_contact_time_state><last_contact_time>2.5</last_contact_time></last_contact_time_state>",
     "<last_contact_time_state>2.5</last_contact_time_state>", Back::not_taken},
    {"time_previous_time_state", id<ostrel::TimePreviousTimeState>,
     "<time_previous_time_state><time>4</time><previous_time>-1.#INF</previous_time></time_previous_time_state>",
     "<time_previous_time_state><time>4</time><previous_time>-inf</previous_time></time_previous_time_state>",
     Back::same},
    {"missed_detection_count_state", id<ostrel::MissedDetectionCountState>,
     "<missed_detection_count_state><count>2</count></missed_detection_count_state>",
     "<missed_detection_count_state>2</missed_detection_count_state>", Back::not_taken},
    {"m_of_n_state", id<ostrel::MofNState>, "<m_of_n_state><m>3</m><n>5</n></m_of_n_state>",
     "<m_of_n_state><m>3</m><n>5</n></m_of_n_state>", Back::same},
    {"str_m_of_n_state", id<str::StrMofNState>,
     "<str_m_of_n_state><m>3</m><n>5</n><o>1</o></str_m_of_n_state>",
     "<str_m_of_n_state><m>3</m><n>5</n><o>1</o></str_m_of_n_state>", Back::same},
    {"confirmed_state", id<ostrel::ConfirmedState>, "<confirmed_state/>", "<confirmed_state/>", Back::same},
    {"track_parent_state", id<ostrel::TrackParentState>,
     "<track_parent_state><label><src>2</src><id>5</id></label></track_parent_state>",
     "<track_parent_state><label><src>2</src><id>5</id></label></track_parent_state>", Back::same},
    {"no_contact_state", id<ostrel::NoContactState>, "<no_contact_state/>", "<no_contact_state/>", Back::same},
    {"filter_key_state", id<ostrel::FilterKeyState>, "<filter_key_state>7</filter_key_state>",
     "<filter_key_state>7</filter_key_state>", Back::same},
    {"time_state", id<state::TimeState>, "<time_state>1.25</time_state>", "<time_state>1.25</time_state>",
     Back::same},
    {"track_label_state", id<state::TrackLabelState>,
     "<track_label_state><label><src>1</src><id>9</id></label></track_label_state>",
     "<track_label_state><label><src>1</src><id>9</id></label></track_label_state>", Back::same},
    {"frame_label_state", id<state::TrackLabelState>,
     "<frame_label_state><label><src>2</src><id>8</id></label></frame_label_state>",
     "<frame_label_state><label><src>2</src><id>8</id></label></frame_label_state>", Back::same},
    {"contact_label_state", id<state::ContactLabelState>,
     "<contact_label_state><label><src>-1</src><id>3</id></label></contact_label_state>",
     "<contact_label_state><label><src>-1</src><id>3</id></label></contact_label_state>", Back::same},
    {"mops_id_state", id<ostrel::MopsIdState>, "<mops_id_state><id>42</id></mops_id_state>",
     "<mops_id_state><id>42</id></mops_id_state>", Back::same},
    {"contact_state", id<state::ContactState>,
     "<contact_state><composite_state><time_state>3</time_state></composite_state></contact_state>",
     "<contact_state><composite_state><time_state>3</time_state></composite_state></contact_state>",
     Back::same},
    {"truth_state", id<state::TruthState>,
     "<truth_state><composite_state><position_state_2d><position>1 2</position></position_state_2d>"
     "</composite_state></truth_state>",
     "<truth_state><composite_state><position_state_2d><position>1 2</position></position_state_2d>"
     "</composite_state></truth_state>",
     Back::same},
    {"position_state_1d", id<state::PositionState<1>>,
     "<position_state_1d><position>-3.5</position></position_state_1d>",
     "<position_state_1d><position>-3.5</position></position_state_1d>", Back::same},
    {"position_state_2d", id<state::PositionState<2>>,
     "<position_state_2d><position>1 2</position></position_state_2d>",
     "<position_state_2d><position>1 2</position></position_state_2d>", Back::same},
    {"position_state_3d", id<state::PositionState<3>>,
     "<position_state_3d><position>1 2 3</position></position_state_3d>",
     "<position_state_3d><position>1 2 3</position></position_state_3d>", Back::same},
    {"position_velocity_state_1d", id<state::PositionVelocityState<1>>,
     "<position_velocity_state_1d><position>1</position><velocity>-1</velocity></position_velocity_state_1d>",
     "<position_velocity_state_1d><position>1</position><velocity>-1</velocity></position_velocity_state_1d>",
     Back::same},
    {"position_velocity_state_2d", id<state::PositionVelocityState<2>>,
     "<position_velocity_state_2d><position>1 2</position><velocity>3 4</velocity></position_velocity_state_2d>",
     "<position_velocity_state_2d><position>1 2</position><velocity>3 4</velocity></position_velocity_state_2d>",
     Back::same},
    {"position_velocity_state_3d", id<state::PositionVelocityState<3>>,
     "<position_velocity_state_3d><position>1 2 3</position><velocity>4 5 6</velocity></position_velocity_state_3d>",
     "<position_velocity_state_3d><position>1 2 3</position><velocity>4 5 6</velocity></position_velocity_state_3d>",
     Back::same},
    {"position_estimate_state_1d", id<PE1>,
     "<position_estimate_state_1d><time>1</time><normal><mean>2</mean><covariance>0.5</covariance></normal>"
     "</position_estimate_state_1d>",
     "<position_estimate_state_1d><time>1</time><normal><mean>2</mean><covariance>0.5</covariance></normal>"
     "</position_estimate_state_1d>",
     Back::same},
    {"position_estimate_state_2d", id<PE2>,
     "<position_estimate_state_2d><time>1</time><normal><mean>2 3</mean><covariance>4 1 1 5</covariance>"
     "</normal></position_estimate_state_2d>",
     "<position_estimate_state_2d><time>1</time><normal><mean>2 3</mean><covariance>4 1 1 5</covariance>"
     "</normal></position_estimate_state_2d>",
     Back::same},
    {"position_estimate_state_3d", id<PE3>,
     "<position_estimate_state_3d><time>1</time><normal><mean>1 2 3</mean>"
     "<covariance>1 0 0 0 2 0 0 0 3</covariance></normal></position_estimate_state_3d>",
     "<position_estimate_state_3d><time>1</time><normal><mean>1 2 3</mean>"
     "<covariance>1 0 0 0 2 0 0 0 3</covariance></normal></position_estimate_state_3d>",
     Back::same},
    {"position_velocity_estimate_state_1d", id<PVE1>,
     "<position_velocity_estimate_state_1d><time>2</time><normal><mean>1 -1</mean>"
     "<covariance>1 0.5 0.5 2</covariance></normal></position_velocity_estimate_state_1d>",
     "<position_velocity_estimate_state_1d><time>2</time><normal><mean>1 -1</mean>"
     "<covariance>1 0.5 0.5 2</covariance></normal></position_velocity_estimate_state_1d>",
     Back::same},
    // An asymmetric covariance keeps the entries on and below the diagonal.
    {"position_velocity_estimate_state_2d", id<PVE2>,
     "<position_velocity_estimate_state_2d><time>2</time><normal><mean>1 2 3 4</mean>"
     "<covariance>1 9 9 9 0.5 2 9 9 0 0 3 9 0.25 0 0 4</covariance></normal>"
     "</position_velocity_estimate_state_2d>",
     "<position_velocity_estimate_state_2d><time>2</time><normal><mean>1 2 3 4</mean>"
     "<covariance>1 0.5 0 0.25 0.5 2 0 0 0 0 3 0 0.25 0 0 4</covariance></normal>"
     "</position_velocity_estimate_state_2d>",
     Back::same},
    {"position_velocity_estimate_state_3d", id<PVE3>,
     "<position_velocity_estimate_state_3d><time>2</time><normal><mean>1 2 3 4 5 6</mean>"
     "<covariance>1 0 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0 0 1</covariance>"
     "</normal></position_velocity_estimate_state_3d>",
     "<position_velocity_estimate_state_3d><time>2</time><normal><mean>1 2 3 4 5 6</mean>"
     "<covariance>1 0 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0 0 1 0 0 0 0 0 0 1</covariance>"
     "</normal></position_velocity_estimate_state_3d>",
     Back::same},
    {"position_estimate_state_1d_footprint_state", id<state::FootprintState<PE1>>,
     "<position_estimate_state_1d_footprint_state><footprint_1d><test_ball><radius>1</radius></test_ball>"
     "</footprint_1d></position_estimate_state_1d_footprint_state>",
     "<position_estimate_state_1d_footprint_state><footprint_1d><test_ball><radius>1</radius></test_ball>"
     "</footprint_1d></position_estimate_state_1d_footprint_state>",
     Back::same},
    {"position_estimate_state_2d_footprint_state", id<state::FootprintState<PE2>>,
     "<position_estimate_state_2d_footprint_state><footprint_2d><test_ball><radius>2</radius></test_ball>"
     "</footprint_2d></position_estimate_state_2d_footprint_state>",
     "<position_estimate_state_2d_footprint_state><footprint_2d><test_ball><radius>2</radius></test_ball>"
     "</footprint_2d></position_estimate_state_2d_footprint_state>",
     Back::same},
    {"position_estimate_state_3d_footprint_state", id<state::FootprintState<PE3>>,
     "<position_estimate_state_3d_footprint_state><footprint_3d><test_ball><radius>3</radius></test_ball>"
     "</footprint_3d></position_estimate_state_3d_footprint_state>",
     "<position_estimate_state_3d_footprint_state><footprint_3d><test_ball><radius>3</radius></test_ball>"
     "</footprint_3d></position_estimate_state_3d_footprint_state>",
     Back::same},
    {"position_velocity_estimate_state_1d_footprint_state", id<state::FootprintState<PVE1>>,
     "<position_velocity_estimate_state_1d_footprint_state><footprint_1d><test_ball><radius>4</radius>"
     "</test_ball></footprint_1d></position_velocity_estimate_state_1d_footprint_state>",
     "<position_velocity_estimate_state_1d_footprint_state><footprint_1d><test_ball><radius>4</radius>"
     "</test_ball></footprint_1d></position_velocity_estimate_state_1d_footprint_state>",
     Back::same},
    {"position_velocity_estimate_state_2d_footprint_state", id<state::FootprintState<PVE2>>,
     "<position_velocity_estimate_state_2d_footprint_state><footprint_2d><test_ball><radius>5</radius>"
     "</test_ball></footprint_2d></position_velocity_estimate_state_2d_footprint_state>",
     "<position_velocity_estimate_state_2d_footprint_state><footprint_2d><test_ball><radius>5</radius>"
     "</test_ball></footprint_2d></position_velocity_estimate_state_2d_footprint_state>",
     Back::same},
    {"position_velocity_estimate_state_3d_footprint_state", id<state::FootprintState<PVE3>>,
     "<position_velocity_estimate_state_3d_footprint_state><footprint_3d><test_ball><radius>6</radius>"
     "</test_ball></footprint_3d></position_velocity_estimate_state_3d_footprint_state>",
     "<position_velocity_estimate_state_3d_footprint_state><footprint_3d><test_ball><radius>6</radius>"
     "</test_ball></footprint_3d></position_velocity_estimate_state_3d_footprint_state>",
     Back::same},
    {"gaussian_feature_state_1d", id<state::GaussianFeatureState<1>>,
     "<gaussian_feature_state_1d><time>1</time><mean>5</mean><sigma>0.5</sigma></gaussian_feature_state_1d>",
     "<gaussian_feature_state_1d><time>1</time><mean>5</mean><sigma>0.5</sigma></gaussian_feature_state_1d>",
     Back::same},
    {"gaussian_feature_state_2d", id<state::GaussianFeatureState<2>>,
     "<gaussian_feature_state_2d><time>1</time><mean>5 6</mean><sigma>0.5 1</sigma></gaussian_feature_state_2d>",
     "<gaussian_feature_state_2d><time>1</time><mean>5 6</mean><sigma>0.5 1</sigma></gaussian_feature_state_2d>",
     Back::same},
    {"gaussian_feature_state_3d", id<state::GaussianFeatureState<3>>,
     "<gaussian_feature_state_3d><time>1</time><mean>5 6 7</mean><sigma>0.5 1 2</sigma></gaussian_feature_state_3d>",
     "<gaussian_feature_state_3d><time>1</time><mean>5 6 7</mean><sigma>0.5 1 2</sigma></gaussian_feature_state_3d>",
     Back::same},
    {"gaussian_feature_state_4d", id<state::GaussianFeatureState<4>>,
     "<gaussian_feature_state_4d><time>1</time><mean>5 6 7 8</mean><sigma>0.5 1 2 0</sigma></gaussian_feature_state_4d>",
     "<gaussian_feature_state_4d><time>1</time><mean>5 6 7 8</mean><sigma>0.5 1 2 0</sigma></gaussian_feature_state_4d>",
     Back::same},
    {"gaussian_feature_vector_state", id<state::GaussianFeatureVectorState>,
     "<gaussian_feature_vector_state><time>3</time><size>3</size><mean>1 2 3</mean><sigma>0.5 0.5 1</sigma>"
     "</gaussian_feature_vector_state>",
     "<gaussian_feature_vector_state><time>3</time><size>3</size><mean>1 2 3</mean><sigma>0.5 0.5 1</sigma>"
     "</gaussian_feature_vector_state>",
     Back::same},
    {"sensor_type_state", id<snsr::SensorTypeState>, "<sensor_type_state>cells 2d</sensor_type_state>",
     "<sensor_type_state>cells 2d</sensor_type_state>", Back::same},
    {"detection_probability_state", id<snsr::DetectionProbabilityState>,
     "<detection_probability_state>0.75</detection_probability_state>",
     "<detection_probability_state>0.75</detection_probability_state>", Back::same},
    {"minimum_speed_state", id<snsr::MinimumSpeedState>, "<minimum_speed_state/>", "<minimum_speed_state/>",
     Back::same},
    {"platform_type_distribution_state", id<ostrel::PlatformTypeDistributionState>,
     "<platform_type_distribution_state dim=\"3\">0.25 0.25 0.5</platform_type_distribution_state>",
     "<platform_type_distribution_state dim=\"3\">0.25 0.25 0.5</platform_type_distribution_state>", Back::same},
    // Read under the misspelled key, written under the correct one with a
    // "distribution" child, which the correct key reads back as the same kind.
    {"platform_type_distribuion_state", id<fusion::PlatformTypeDistributionState>,
     "<platform_type_distribuion_state><distribution>0.5 0.25 0.25</distribution></platform_type_distribuion_state>",
     "<platform_type_distribution_state><distribution>0.5 0.25 0.25</distribution>"
     "</platform_type_distribution_state>",
     Back::same},
    {"theta_phi_estimate_state", id<state::ThetaPhiEstimateState>,
     "<theta_phi_estimate_state><time>1</time><mean>30 -10</mean><sigmas>2 1</sigmas>"
     "<sensor_position>1 2 3</sensor_position><range_interval><open_interval>100 2000</open_interval>"
     "</range_interval></theta_phi_estimate_state>",
     "<theta_phi_estimate_state><time>1</time><mean>30 -10</mean><sigmas>2 1</sigmas>"
     "<sensor_position>1 2 3</sensor_position><range_interval><open_interval>100 2000</open_interval>"
     "</range_interval></theta_phi_estimate_state>",
     Back::same},
    {"range_theta_phi_estimate_state", id<state::RangeThetaPhiEstimateState>,
     "<range_theta_phi_estimate_state><time>1</time><normal><mean>500 45 5</mean>"
     "<covariance>100 2 0 2 4 0 0 0 1</covariance></normal><sensor_position>0 0 10</sensor_position>"
     "</range_theta_phi_estimate_state>",
     "<range_theta_phi_estimate_state><time>1</time><normal><mean>500 45 5</mean>"
     "<covariance>100 2 0 2 4 0 0 0 1</covariance></normal><sensor_position>0 0 10</sensor_position>"
     "</range_theta_phi_estimate_state>",
     Back::same},
    {"emission_estimate_state", id<state::EmissionEstimateState>,
     "<emission_estimate_state><time>1</time><normal><mean>9.5</mean><covariance>0.25</covariance></normal>"
     "</emission_estimate_state>",
     "<emission_estimate_state><time>1</time><normal><mean>9.5</mean><covariance>0.25</covariance></normal>"
     "</emission_estimate_state>",
     Back::same},
    // Read under either key, always written as "radar_contact".
    {"spherical_contact", id<ostrel::SphericalContact>,
     "<spherical_contact><time>2</time><sensor_position>1 2 3</sensor_position>"
     "<r_theta_phi>1000 90 -5</r_theta_phi><sigmas>10 0.5 1</sigmas></spherical_contact>",
     "<radar_contact><time>2</time><sensor_position>1 2 3</sensor_position>"
     "<r_theta_phi>1000 90 -5</r_theta_phi><sigmas>10 0.5 1</sigmas></radar_contact>",
     Back::same},
    {"radar_contact", id<ostrel::SphericalContact>,
     "<radar_contact><time>2</time><sensor_position>0 0 0</sensor_position>"
     "<r_theta_phi>50 180 45</r_theta_phi><sigmas>1 2 3</sigmas></radar_contact>",
     "<radar_contact><time>2</time><sensor_position>0 0 0</sensor_position>"
     "<r_theta_phi>50 180 45</r_theta_phi><sigmas>1 2 3</sigmas></radar_contact>",
     Back::same},
    {"esm_contact", id<ostrel::EsmContact>,
     "<esm_contact><time>4</time><position>1 2 3</position><min_range>10</min_range>"
     "<max_range>100</max_range><bearing>60</bearing><bearing_sigma>1.5</bearing_sigma>"
     "<mode_distribution dim=\"2\">0.75 0.25</mode_distribution>"
     "<esm_waveform_contact><esm_feature_contact><id>1</id><mean>2</mean><variance>0.5</variance>"
     "<support>3</support><transition_rate>0</transition_rate></esm_feature_contact>"
     "<esm_feature_contact><id>2</id><mean>4</mean><variance>1</variance><support>5</support>"
     "<transition_rate>0.5</transition_rate></esm_feature_contact></esm_waveform_contact>"
     "<esm_waveform_contact/>"
     "<homogenized_position_contact><mean>5 6 7</mean><covariance>1 0 0 0 1 0 0 0 1</covariance>"
     "</homogenized_position_contact></esm_contact>",
     "<esm_contact><time>4</time><position>1 2 3</position><min_range>10</min_range>"
     "<max_range>100</max_range><bearing>60</bearing><bearing_sigma>1.5</bearing_sigma>"
     "<mode_distribution dim=\"2\">0.75 0.25</mode_distribution>"
     "<esm_waveform_contact><esm_feature_contact><id>1</id><mean>2</mean><variance>0.5</variance>"
     "<support>3</support><transition_rate>0</transition_rate></esm_feature_contact>"
     "<esm_feature_contact><id>2</id><mean>4</mean><variance>1</variance><support>5</support>"
     "<transition_rate>0.5</transition_rate></esm_feature_contact></esm_waveform_contact>"
     "<esm_waveform_contact/>"
     "<homogenized_position_contact><mean>5 6 7</mean><covariance>1 0 0 0 1 0 0 0 1</covariance>"
     "</homogenized_position_contact></esm_contact>",
     Back::same},
    {"gps_3d_contact", id<ostrel::GpsContact<3>>,
     "<gps_3d_contact><time>1</time><gps_id>17</gps_id><platform_type>2</platform_type>"
     "<position>1 2 3</position><sigma>5</sigma></gps_3d_contact>",
     "<gps_3d_contact><time>1</time><gps_id>17</gps_id><platform_type>2</platform_type>"
     "<position>1 2 3</position><sigma>5</sigma></gps_3d_contact>",
     Back::same},
    {"allegiance_state", id<fusion::AllegianceState>, "<allegiance_state>2</allegiance_state>",
     "<allegiance_state>2</allegiance_state>", Back::same},
    {"radar_emission_state", id<fusion::RadarEmissionState>,
     "<radar_emission_state><time>1</time><frequency>9400</frequency></radar_emission_state>",
     "<radar_emission_state><time>1</time><frequency>9400</frequency></radar_emission_state>", Back::same},
    {"radar_emission_estimate_state", id<fusion::RadarEmissionEstimateState>,
     "<radar_emission_estimate_state><time>1</time><normal><mean>9400</mean><covariance>25</covariance>"
     "</normal></radar_emission_estimate_state>",
     "<radar_emission_estimate_state><time>1</time><normal><mean>9400</mean><covariance>25</covariance>"
     "</normal></radar_emission_estimate_state>",
     Back::same},
    {"esm_sensor_state_0", id<fusion::EsmSensorState<0>>,
     "<esm_sensor_state_0><position>1 2 3</position><detection_probability>0.5</detection_probability>"
     "</esm_sensor_state_0>",
     "<esm_sensor_state_0><position>1 2 3</position><detection_probability>0.5</detection_probability>"
     "</esm_sensor_state_0>",
     Back::same},
    {"esm_sensor_state_1", id<fusion::EsmSensorState<1>>,
     "<esm_sensor_state_1><position>1 2 3</position><detection_probability>0.5</detection_probability>"
     "</esm_sensor_state_1>",
     "<esm_sensor_state_1><position>1 2 3</position><detection_probability>0.5</detection_probability>"
     "</esm_sensor_state_1>",
     Back::same},
    {"esm_sensor_state_2", id<fusion::EsmSensorState<2>>,
     "<esm_sensor_state_2><position>1 2 3</position><detection_probability>0.5</detection_probability>"
     "</esm_sensor_state_2>",
     "<esm_sensor_state_2><position>1 2 3</position><detection_probability>0.5</detection_probability>"
     "</esm_sensor_state_2>",
     Back::same},
    {"imaging_sensor_state", id<fusion::ImagingSensorState>,
     "<imaging_sensor_state><position>0 0 0</position><detection_probability>1</detection_probability>"
     "</imaging_sensor_state>",
     "<imaging_sensor_state><position>0 0 0</position><detection_probability>1</detection_probability>"
     "</imaging_sensor_state>",
     Back::same},
    {"radar_sensor_state", id<fusion::RadarSensorState>,
     "<radar_sensor_state><position>0 0 5</position><detection_probability>0.9</detection_probability>"
     "</radar_sensor_state>",
     "<radar_sensor_state><position>0 0 5</position><detection_probability>0.9</detection_probability>"
     "</radar_sensor_state>",
     Back::same},
    {"image_sensor_state", id<fusion::ImageSensorState>,
     "<image_sensor_state><position>0 0 0</position><detection_probability>0</detection_probability>"
     "</image_sensor_state>",
     "<image_sensor_state><position>0 0 0</position><detection_probability>0</detection_probability>"
     "</image_sensor_state>",
     Back::same},
    {"gps_id_state", id<fusion::GpsIdState>, "<gps_id_state><gps_id>17</gps_id></gps_id_state>",
     "<gps_id_state><gps_id>17</gps_id></gps_id_state>", Back::same},
    {"platform_type_state", id<fusion::PlatformTypeState>,
     "<platform_type_state><platform_type>3</platform_type></platform_type_state>",
     "<platform_type_state><platform_type>3</platform_type></platform_type_state>", Back::same},
    {"frequency_footprint_state", id<fusion::FrequencyFootprintState>,
     "<frequency_footprint_state><frequency_interval><min>1</min><max>2</max></frequency_interval>"
     "<frequency_interval><min>8</min><max>12</max></frequency_interval></frequency_footprint_state>",
     "<frequency_footprint_state><frequency_interval><min>1</min><max>2</max></frequency_interval>"
     "<frequency_interval><min>8</min><max>12</max></frequency_interval></frequency_footprint_state>",
     Back::same},
    {"plotter_point_state_2d", id<pltr::PlotterPointState<2>>,
     "<plotter_point_state_2d><point>1 2</point></plotter_point_state_2d>",
     "<plotter_point_state_2d><point>1 2</point></plotter_point_state_2d>", Back::same},
    {"plotter_point_state_3d", id<pltr::PlotterPointState<3>>,
     "<plotter_point_state_3d><point>1 2 3</point></plotter_point_state_3d>",
     "<plotter_point_state_3d><point>1 2 3</point></plotter_point_state_3d>", Back::same},
    {"plotter_covariance_state_2d", id<pltr::PlotterCovarianceState<2>>,
     "<plotter_covariance_state_2d><covariance>2 7 1 3</covariance></plotter_covariance_state_2d>",
     "<plotter_covariance_state_2d><covariance>2 1 1 3</covariance></plotter_covariance_state_2d>", Back::same},
    {"plotter_covariance_state_3d", id<pltr::PlotterCovarianceState<3>>,
     "<plotter_covariance_state_3d><covariance>1 0 0 0 2 0 0 0 3</covariance></plotter_covariance_state_3d>",
     "<plotter_covariance_state_3d><covariance>1 0 0 0 2 0 0 0 3</covariance></plotter_covariance_state_3d>",
     Back::same},
    {"figure_state", id<pltr::FigureState>, "<figure_state>4</figure_state>", "<figure_state>4</figure_state>",
     Back::same},
    {"color_state", id<pltr::ColorState>, "<color_state>dark red</color_state>",
     "<color_state>dark red</color_state>", Back::same},
};

class StateForm : public ::testing::TestWithParam<Form> {};

TEST_P(StateForm, ReadsTheSampleAndWritesItsForm) {
    const Form& form = GetParam();
    state::StatePtr s = read(form.sample);
    EXPECT_EQ(s->type_id(), form.type_id());
    const std::string first = written(*s);
    EXPECT_EQ(compact(first), form.expected);

    if (form.back == Back::same) {
        // Strict: every child the program writes is one the key declares.
        xml::set_strict_mode(true);
        state::StatePtr again;
        try {
            again = read(first);
        } catch (...) {
            xml::set_strict_mode(false);
            throw;
        }
        xml::set_strict_mode(false);
        EXPECT_EQ(again->type_id(), s->type_id());
        EXPECT_EQ(written(*again), first);
    } else {
        EXPECT_THROW(read(first), std::exception);
    }
}

std::string name_of(const ::testing::TestParamInfo<Form>& info) { return info.param.key; }

INSTANTIATE_TEST_SUITE_P(EveryKey, StateForm, ::testing::ValuesIn(forms), name_of);

TEST(StateRegistry, EveryRegisteredKeyHasAFormAndEveryFormIsRegistered) {
    std::set<std::string> registered;
    for (const state::StateKey& k : state::state_keys()) {
        EXPECT_TRUE(registered.insert(k.key).second) << "listed twice: " << k.key;
    }
    std::set<std::string> tested;
    for (const Form& form : forms) tested.insert(form.key);
    EXPECT_EQ(registered, tested);
}

}  // namespace
