// Behaviour of the state and contact kinds beyond their XML forms: values in
// memory, unit conversions, shared identities and the failures of reading.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "model/composite_state.h"
#include "model/contacts/esm_contact.h"
#include "model/contacts/open_interval.h"
#include "model/contacts/range_theta_phi_estimate_state.h"
#include "model/contacts/spherical_contact.h"
#include "model/contacts/theta_phi_estimate_state.h"
#include "model/fusion/frequency_footprint_state.h"
#include "model/fusion/platform_type_distribution_state.h"
#include "model/states/footprint_state.h"
#include "model/states/frame_label_state.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "model/states/platform_type_distribution_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/rgb_color_state.h"
#include "model/states/segment_size_state.h"
#include "model/states/tail_gater_state.h"
#include "model/states/time_previous_time_state.h"
#include "state_test_support.h"
#include "support/expect_message.h"

namespace {

using namespace state_test;

constexpr double pi = 3.141592653589793;
constexpr double minus_inf = -std::numeric_limits<double>::infinity();

// Reads a state and checks its class; the pointer keeps it alive.
template <class T>
std::shared_ptr<const T> read_as(const std::string& element) {
    state::StatePtr s = read(element);
    s->cast<T>();
    return std::static_pointer_cast<const T>(s);
}

// --- minus infinity in "previous_time" -------------------------------------

TEST(TimePreviousTimeState, NewTrackWritesMinusInfinityAndReadsItBack) {
    ostrel::TimePreviousTimeState fresh(3.0, ostrel::TimePreviousTimeState::no_previous_time);
    const std::string text = written(fresh);
    EXPECT_NE(text.find("<previous_time>-inf</previous_time>"), std::string::npos) << text;
    const auto back_ptr = read_as<ostrel::TimePreviousTimeState>(text);
    const auto& back = *back_ptr;
    EXPECT_EQ(back.time, 3.0);
    EXPECT_EQ(back.previous_time, minus_inf);
}

TEST(TimePreviousTimeState, PreviousTimeTextIsMinusInfinityOnlyWithHashAsFourthCharacter) {
    struct Case {
        const char* text;
        double expected;
    };
    const Case cases[] = {
        {"-1.#INF", minus_inf},
        {"-1.#IND", minus_inf},  // the rule looks at the "#" alone
        {"2.5", 2.5},            // three characters: always a number
        {"-inf", minus_inf},
        {"12.75", 12.75},
    };
    for (const Case& c : cases) {
        const std::string element = std::string("<time_previous_time_state><time>1</time><previous_time>") +
                                    c.text + "</previous_time></time_previous_time_state>";
        EXPECT_EQ(read_as<ostrel::TimePreviousTimeState>(element)->previous_time, c.expected) << c.text;
    }
    EXPECT_MESSAGE(read("<time_previous_time_state><time>1</time><previous_time>#</previous_time>"
                        "</time_previous_time_state>"),
                   "unable to convert text from tag = previous_time");
}

// --- shapes of the estimates ------------------------------------------------

TEST(PositionVelocityEstimateState, AsymmetricCovarianceKeepsTheEntriesBelowTheDiagonal) {
    const auto s_ptr = read_as<state::PositionVelocityEstimateState<2>>(
        "<position_velocity_estimate_state_2d><time>2</time><normal><mean>1 2 3 4</mean>"
        "<covariance>1 9 9 9 0.5 2 9 9 0 0 3 9 0.25 0 0 4</covariance></normal>"
        "</position_velocity_estimate_state_2d>");
    const auto& s = *s_ptr;
    EXPECT_EQ(s.estimate.covariance(0, 1), 0.5);
    EXPECT_EQ(s.estimate.covariance(3, 0), 0.25);
    EXPECT_EQ(s.estimate.covariance(0, 3), 0.25);
    EXPECT_EQ(s.position(), (nmrc::Vector<2>{1, 2}));
    EXPECT_EQ(s.velocity(), (nmrc::Vector<2>{3, 4}));
    EXPECT_EQ(s.time, 2.0);
}

TEST(PositionVelocityEstimateState, ShortMeanOrCovarianceFailsNamingTheTag) {
    EXPECT_MESSAGE(read("<position_velocity_estimate_state_2d><time>2</time><normal><mean>1 2 3</mean>"
                        "<covariance>1 0 0 0 0 1 0 0 0 0 1 0 0 0 0 1</covariance></normal>"
                        "</position_velocity_estimate_state_2d>"),
                   "unable to convert text from tag = mean (position_velocity_estimate_state_2d: normal/mean must be "
                   "a vector of 4 numbers: mean = \"1 2 3\")");
    EXPECT_MESSAGE(read("<position_velocity_estimate_state_2d><time>2</time><normal><mean>1 2 3 4</mean>"
                        "<covariance>1 0 0 0</covariance></normal></position_velocity_estimate_state_2d>"),
                   "unable to convert text from tag = covariance (position_velocity_estimate_state_2d: "
                   "normal/covariance must be a symmetric 4 x 4 matrix (16 numbers, row by row): "
                   "covariance = \"1 0 0 0\")");
}

TEST(GaussianFeatureVectorState, SizeGivesTheLengthAndZeroFails) {
    const auto s_ptr = read_as<state::GaussianFeatureVectorState>(
        "<gaussian_feature_vector_state><time>3</time><size>2</size><mean>1 2</mean>"
        "<sigma>0.5 1</sigma></gaussian_feature_vector_state>");
    const auto& s = *s_ptr;
    ASSERT_EQ(s.size(), 2);
    EXPECT_EQ(s.mean[1], 2.0);
    EXPECT_EQ(s.sigma[0], 0.5);
    EXPECT_MESSAGE(read("<gaussian_feature_vector_state><time>3</time><size>0</size><mean/><sigma/>"
                        "</gaussian_feature_vector_state>"),
                   "nmrc::Vector::read called on empty Vector (gaussian_feature_vector_state: size must be at "
                   "least 1: size = 0)");
}

TEST(StateValidation, OutOfRangeValuesFailNamingTheValue) {
    EXPECT_MESSAGE(read("<gaussian_feature_state_2d><time>1</time><mean>1 2</mean><sigma>1 -2</sigma>"
                        "</gaussian_feature_state_2d>"),
                   "sigma is negative in gaussian_feature_state_2d: sigma = -2");
    EXPECT_MESSAGE(read("<detection_probability_state>1.5</detection_probability_state>"),
                   "detection_probability is not in [0, 1]: detection_probability = 1.5 "
                   "(in detection_probability_state, element detection_probability_state)");
    EXPECT_MESSAGE(read("<radar_sensor_state><position>0 0 0</position>"
                        "<detection_probability>-0.5</detection_probability></radar_sensor_state>"),
                   "detection_probability is not in [0, 1] in radar_sensor_state: "
                   "detection_probability = -0.5");
    EXPECT_MESSAGE(read("<frequency_footprint_state><frequency_interval><min>3</min><max>2</max>"
                        "</frequency_interval></frequency_footprint_state>"),
                   "frequency interval is empty in frequency_footprint_state: min = 3, max = 2");
    EXPECT_MESSAGE(read("<filter_key_state>seven</filter_key_state>"),
                   "unable to convert text from tag = filter_key_state (filter_key_state: filter_key_state must be "
                   "an integer: filter_key_state = \"seven\")");
    EXPECT_THROW(read("<m_of_n_state><m>3</m></m_of_n_state>"), std::exception);
    EXPECT_MESSAGE(read("<no_such_state/>"), "Unknown key: key = no_such_state");
}

// --- shared identity of the frame label ------------------------------------

TEST(FrameLabelState, OccupiesTheTrackLabelSlotAndIsFoundAsTheTrackLabel) {
    state::CompositeState set;
    set.insert(std::make_shared<state::TrackLabelState>(state::Label{1, 1}));
    set.insert(read("<frame_label_state><label><src>4</src><id>5</id></label></frame_label_state>"));
    ASSERT_EQ(set.size(), 1u);
    EXPECT_EQ(set.get<state::TrackLabelState>().label, (state::Label{4, 5}));
    // The set writes what it holds: the frame label under its own key.
    EXPECT_EQ(compact(written(*set.find<state::TrackLabelState>())),
              "<frame_label_state><label><src>4</src><id>5</id></label></frame_label_state>");
}

// --- degrees in XML, radians in memory ---------------------------------------

TEST(SphericalContact, AnglesAreRadiansInMemory) {
    const auto c_ptr = read_as<ostrel::SphericalContact>(
        "<spherical_contact><time>2</time><sensor_position>1 2 3</sensor_position>"
        "<r_theta_phi>1000 90 -45</r_theta_phi><sigmas>10 1 2</sigmas></spherical_contact>");
    const auto& c = *c_ptr;
    EXPECT_EQ(c.r_theta_phi[0], 1000.0);
    EXPECT_DOUBLE_EQ(c.r_theta_phi[1], pi / 2);
    EXPECT_DOUBLE_EQ(c.r_theta_phi[2], -pi / 4);
    EXPECT_EQ(c.sigmas[0], 10.0);
    EXPECT_DOUBLE_EQ(c.sigmas[1], pi / 180);
    EXPECT_DOUBLE_EQ(c.sigmas[2], pi / 90);
    EXPECT_EQ(c.time, 2.0);
}

TEST(ThetaPhiEstimateState, AnglesAreRadiansAndVariancesAreTheSquaredSigmas) {
    const auto s_ptr = read_as<state::ThetaPhiEstimateState>(
        "<theta_phi_estimate_state><time>1</time><mean>180 30</mean><sigmas>2 1</sigmas>"
        "<sensor_position>1 2 3</sensor_position><range_interval><open_interval>100 2000"
        "</open_interval></range_interval></theta_phi_estimate_state>");
    const auto& s = *s_ptr;
    EXPECT_DOUBLE_EQ(s.mean[0], pi);
    EXPECT_DOUBLE_EQ(s.mean[1], pi / 6);
    EXPECT_DOUBLE_EQ(s.variances[0], std::pow(pi / 90, 2));
    EXPECT_DOUBLE_EQ(s.variances[1], std::pow(pi / 180, 2));
    EXPECT_EQ(s.range_interval.lower, 100.0);
    EXPECT_EQ(s.range_interval.upper, 2000.0);
}

TEST(RangeThetaPhiEstimateState, AngleRowsAndColumnsOfTheCovarianceAreConverted) {
    const auto s_ptr = read_as<state::RangeThetaPhiEstimateState>(
        "<range_theta_phi_estimate_state><time>1</time><normal><mean>500 90 0</mean>"
        "<covariance>100 2 0 2 4 1 0 1 9</covariance></normal><sensor_position>0 0 10</sensor_position>"
        "</range_theta_phi_estimate_state>");
    const auto& s = *s_ptr;
    const double k = pi / 180;
    EXPECT_EQ(s.estimate.mean[0], 500.0);
    EXPECT_DOUBLE_EQ(s.estimate.mean[1], pi / 2);
    EXPECT_EQ(s.estimate.covariance(0, 0), 100.0);
    EXPECT_DOUBLE_EQ(s.estimate.covariance(1, 0), 2 * k);
    EXPECT_DOUBLE_EQ(s.estimate.covariance(1, 1), 4 * k * k);
    EXPECT_DOUBLE_EQ(s.estimate.covariance(2, 1), 1 * k * k);
    EXPECT_EQ(s.sensor_position, (nmrc::Vector<3>{0, 0, 10}));
}

TEST(EsmContact, ReadsFeaturesAndBearingAndMayLackTheHomogenizedPosition) {
    const std::string element =
        "<esm_contact><time>4</time><position>1 2 3</position><min_range>10</min_range>"
        "<max_range>100</max_range><bearing>90</bearing><bearing_sigma>1</bearing_sigma>"
        "<mode_distribution dim=\"3\">0.5 0.25 0.25</mode_distribution>"
        "<esm_waveform_contact><esm_feature_contact><id>7</id><mean>2</mean><variance>0.5</variance>"
        "<support>3</support><transition_rate>0.125</transition_rate></esm_feature_contact>"
        "</esm_waveform_contact></esm_contact>";
    const auto c_ptr = read_as<ostrel::EsmContact>(element);
    const auto& c = *c_ptr;
    EXPECT_DOUBLE_EQ(c.bearing, pi / 2);
    EXPECT_DOUBLE_EQ(c.bearing_sigma, pi / 180);
    ASSERT_EQ(c.mode_distribution.size(), 3);
    EXPECT_EQ(c.mode_distribution[2], 0.25);
    ASSERT_EQ(c.waveform_contacts.size(), 1u);
    ASSERT_EQ(c.waveform_contacts[0].size(), 1u);
    EXPECT_EQ(c.waveform_contacts[0][0].id, 7);
    EXPECT_EQ(c.waveform_contacts[0][0].transition_rate, 0.125);
    EXPECT_FALSE(c.homogenized_position.has_value());
    EXPECT_EQ(written(c).find("homogenized_position_contact"), std::string::npos);
}

TEST(EsmContact, BadModeDistributionOrRangesFail) {
    const std::string head =
        "<esm_contact><time>4</time><position>1 2 3</position><min_range>10</min_range>"
        "<max_range>100</max_range><bearing>90</bearing><bearing_sigma>1</bearing_sigma>";
    EXPECT_MESSAGE(read(head + "<mode_distribution dim=\"0\"></mode_distribution></esm_contact>"),
                   "nmrc::Vector::read called on empty Vector (esm_contact: mode_distribution must be numbers, as "
                   "many as attribute dim says, every one finite: mode_distribution = \"\")");
    EXPECT_MESSAGE(read(head + "<mode_distribution>0.5 0.5</mode_distribution></esm_contact>"),
                   "unable to convert text from attribute = dim (esm_contact: mode_distribution must be numbers, as "
                   "many as attribute dim says, every one finite: mode_distribution = \"0.5 0.5\")");
    EXPECT_MESSAGE(read("<esm_contact><time>4</time><position>1 2 3</position><min_range>100</min_range>"
                        "<max_range>10</max_range><bearing>90</bearing><bearing_sigma>1</bearing_sigma>"
                        "<mode_distribution dim=\"1\">1</mode_distribution></esm_contact>"),
                   "max_range is smaller than min_range in esm_contact: min_range = 100, max_range = 10");
}

// --- point sets --------------------------------------------------------------

TEST(OpenInterval, ExcludesBothBoundsAndMeasuresItsLength) {
    pntset::OpenInterval interval(1, 5);
    EXPECT_FALSE(interval.contains(1));
    EXPECT_FALSE(interval.contains(5));
    EXPECT_TRUE(interval.contains(1.0000001));
    EXPECT_TRUE(interval.contains(4.9999999));
    EXPECT_EQ(interval.measure(), 4.0);
    EXPECT_EQ(interval.midpoint(), 3.0);
}

TEST(OpenInterval, EmptyBoundsOrAnotherElementFail) {
    EXPECT_MESSAGE(pntset::OpenInterval(5, 1), "OpenInterval is empty: lower = 5, upper = 1");
    EXPECT_MESSAGE(pntset::OpenInterval(2, 2), "OpenInterval is empty: lower = 2, upper = 2");
    EXPECT_MESSAGE(pntset::OpenInterval(parse("<closed_interval>1 5</closed_interval>")),
                   "Unknown key: key = closed_interval");
    EXPECT_MESSAGE(pntset::OpenInterval(parse("<open_interval>1</open_interval>")),
                   "unable to convert text from tag = open_interval");
    const pntset::OpenInterval read_back(parse("<open_interval>-2.5 inf</open_interval>"));
    EXPECT_EQ(read_back.lower, -2.5);
    EXPECT_TRUE(read_back.contains(1e300));
}

// --- platform-type beliefs ---------------------------------------------------

TEST(PlatformTypeDistribution, MisspelledKeyCountsItsNumbersAndBothKindsStayApart) {
    state::CompositeState set;
    set.insert(
        read("<platform_type_distribution_state dim=\"2\">0.5 0.5</platform_type_distribution_state>"));
    set.insert(
        read("<platform_type_distribuion_state><distribution>0.2 0.3 0.5</distribution>"
             "</platform_type_distribuion_state>"));
    ASSERT_EQ(set.size(), 2u);
    EXPECT_EQ(set.get<ostrel::PlatformTypeDistributionState>().distribution.size(), 2);
    const auto& fused = set.get<fusion::PlatformTypeDistributionState>();
    ASSERT_EQ(fused.distribution.size(), 3);
    EXPECT_EQ(fused.distribution[1], 0.3);
    EXPECT_MESSAGE(read("<platform_type_distribuion_state><distribution/></platform_type_distribuion_state>"),
                   "nmrc::Vector::read called on empty Vector (platform_type_distribuion_state: distribution must "
                   "be not empty: distribution = )");
}

// --- footprints, frequency bands, written-only kinds -------------------------

TEST(FootprintState, BuildsItsFootprintThroughTheFactoryOfItsDimension) {
    const auto s_ptr = read_as<state::FootprintState<state::PositionVelocityEstimateState<2>>>(
        "<position_velocity_estimate_state_2d_footprint_state><footprint_2d><test_ball>"
        "<radius>5</radius></test_ball></footprint_2d></"
        "position_velocity_estimate_state_2d_footprint_state>");
    const auto& s = *s_ptr;
    EXPECT_TRUE(s.footprint->contains({3, 4}));
    EXPECT_FALSE(s.footprint->contains({3, 4.1}));
    EXPECT_MESSAGE(read("<position_estimate_state_2d_footprint_state><footprint_2d><no_such_footprint/>"
                        "</footprint_2d></position_estimate_state_2d_footprint_state>"),
                   "Unknown key: key = no_such_footprint");
}

TEST(FrequencyFootprintState, ContainsFrequenciesOfAnyBandBoundsIncluded) {
    fusion::FrequencyFootprintState bands({{1, 2}, {8, 12}});
    EXPECT_TRUE(bands.contains(1));
    EXPECT_TRUE(bands.contains(12));
    EXPECT_FALSE(bands.contains(5));
    EXPECT_FALSE(
        fusion::FrequencyFootprintState(std::vector<fusion::FrequencyFootprintState::Band>{}).contains(1));
}

TEST(TailGaterState, WritesRecordsInAscendingSourceOrderAndCopiesOnUpdate) {
    ostrel::TailGaterState::Records records;
    records[5] = {2, 1.5};
    records[-1] = {7, 0.5};
    const ostrel::TailGaterState old_state(records);
    EXPECT_EQ(compact(written(old_state)),
              "<tail_gater_state><record><src>-1</src><id>7</id><time>0.5</time></record>"
              "<record><src>5</src><id>2</id><time>1.5</time></record></tail_gater_state>");
    const ostrel::TailGaterState new_state(old_state.with(5, 3, 2.5));
    EXPECT_EQ(old_state.records.at(5).id, 2);
    EXPECT_EQ(new_state.records.at(5).id, 3);
    EXPECT_EQ(new_state.records.at(5).time, 2.5);
    EXPECT_EQ(new_state.records.size(), 2u);
}

TEST(WrittenOnlyKinds, WriteTimeThenNormal) {
    nmrc::Normal<1> size_estimate({40}, nmrc::SymmetricMatrix<1>::identity());
    EXPECT_EQ(compact(written(ostrel::SegmentSizeState(2, size_estimate))),
              "<segment_size_state><time>2</time><normal><mean>40</mean><covariance>1</covariance>"
              "</normal></segment_size_state>");
    nmrc::Normal<3> colour({1, 2, 3}, nmrc::SymmetricMatrix<3>::identity());
    EXPECT_EQ(compact(written(ostrel::RgbColorState(1, colour))),
              "<rgb_color_state><time>1</time><normal><mean>1 2 3</mean>"
              "<covariance>1 0 0 0 1 0 0 0 1</covariance></normal></rgb_color_state>");
}

}  // namespace
