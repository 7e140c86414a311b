#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "filters/passive/passive_test_support.h"
#include "model/contacts/emission_estimate_state.h"
#include "model/fusion/frequency_footprint_state.h"
#include "model/fusion/radar_emission_estimate_state.h"
#include "model/states/detection_probability_state.h"
#include "model/states/platform_type_distribution_state.h"

namespace {

using namespace passive_test;

// Type 0 emits in [1, 2] and [3, 4]; type 1 in [1.5, 3.5]; type 2 never.
std::string config(const std::string& key, const std::string& emission_gate,
                   const std::string& platform_type_gate) {
    auto band = [](const char* lo, const char* hi) {
        return std::string("<frequency_interval><min>") + lo + "</min><max>" + hi +
               "</max></frequency_interval>";
    };
    return "<" + key + "><filter><no_op/></filter><emission_gate>" + emission_gate +
           "</emission_gate><platform_type_gate>" + platform_type_gate +
           "</platform_type_gate><platforms>"
           "<platform><type>0</type><frequency_intervals>" + band("1", "2") + band("3", "4") +
           "</frequency_intervals></platform>"
           "<platform><type>1</type><frequency_intervals>" + band("1.5", "3.5") +
           "</frequency_intervals></platform>"
           "<platform><type>2</type><frequency_intervals/></platform>"
           "</platforms></" + key + ">";
}
const std::string contact_key = "emission_radar_emission_platform_type_contact_updater_and_gater";
const std::string coast_key = "emission_radar_emission_platform_type_coast_updater_and_gater";

state::CompositeState emission(double frequency, double variance, double time = 1.0) {
    state::CompositeState c;
    c.insert(std::make_shared<const state::EmissionEstimateState>(
        nmrc::Normal<1>{{frequency}, nmrc::SymmetricMatrix<1>::diagonal({variance})}, time));
    return c;
}

const nmrc::DynamicVector& belief(const ostrel::TrackState& track) {
    return track.states.get<ostrel::PlatformTypeDistributionState>().distribution;
}

TEST(EmissionContactUpdater, StartsTheEmissionEstimateAndKeepsTypesThatEmitThere) {
    ostrel::TrackState track(state::Label{0, 1});  // uniform belief over 3 types
    build(config(contact_key, "9", "0"))->update(emission(1.8, 0.01), track);
    ASSERT_TRUE(track.gates);
    EXPECT_NEAR(track.log_likelihood, std::log(2.0 / 3.0), 1e-12);
    EXPECT_NEAR(belief(track)[0], 0.5, 1e-12);
    EXPECT_NEAR(belief(track)[1], 0.5, 1e-12);
    EXPECT_EQ(belief(track)[2], 0.0);
    const auto& e = track.states.get<fusion::RadarEmissionEstimateState>();
    EXPECT_EQ(e.frequency.mean[0], 1.8);
    EXPECT_EQ(e.time, 1.0);
}

TEST(EmissionContactUpdater, FusesLaterEmissionsAndGatesOnBothTests) {
    ostrel::TrackState track(state::Label{0, 1});
    track.states.insert(std::make_shared<const fusion::RadarEmissionEstimateState>(
        0.0, nmrc::Normal<1>{{1.8}, nmrc::SymmetricMatrix<1>::diagonal({0.03})}));
    // z = 1.9, R = 0.01: S = 0.04, d^2 = 0.25; K = 0.75.
    ostrel::TrackState pass = ostrel::TrackState::extending(track);
    build(config(contact_key, "1", "0"))->update(emission(1.9, 0.01), pass);
    ASSERT_TRUE(pass.gates);
    const auto& e = pass.states.get<fusion::RadarEmissionEstimateState>();
    EXPECT_NEAR(e.frequency.mean[0], 1.875, 1e-12);
    EXPECT_NEAR(e.frequency.covariance(0, 0), 0.0075, 1e-12);
    EXPECT_NEAR(pass.log_likelihood,
                -0.5 * std::log(2 * M_PI * 0.04) - 0.125 + std::log(2.0 / 3.0), 1e-12);

    ostrel::TrackState far = ostrel::TrackState::extending(track);
    build(config(contact_key, "0.2", "0"))->update(emission(1.9, 0.01), far);
    EXPECT_FALSE(far.gates);

    // 3.8: only type 0 emits there; a floor of 0.4 on P = 1/3 rejects.
    ostrel::TrackState floor = ostrel::TrackState::extending(track);
    build(config(contact_key, "infinity", "0.4"))->update(emission(3.8, 0.01), floor);
    EXPECT_FALSE(floor.gates);
    EXPECT_EQ(floor.states.get<fusion::RadarEmissionEstimateState>().frequency.mean[0], 1.8);
}

TEST(EmissionCoastUpdater, SilenceWeighsTypesByTheShareOfTheirBandsTheReceiverCovers) {
    state::CompositeState meta;
    meta.insert(std::make_shared<const snsr::DetectionProbabilityState>(0.5));
    // The receiver covers [1, 2]: half of type 0's bands, a quarter of type 1's.
    meta.insert(std::make_shared<const fusion::FrequencyFootprintState>(
        std::vector<fusion::FrequencyFootprintState::Band>{{1, 2}}));
    ostrel::TrackState track(state::Label{0, 1});
    track.states.insert(
        std::make_shared<const ostrel::PlatformTypeDistributionState>(dynamic({0.4, 0.4, 0.2})));
    build(config(coast_key, "1", "0"))->update(meta, track);
    const double q0 = 1 - 0.5 * 0.5, q1 = 1 - 0.5 * 0.25;
    const double e = 0.4 * q0 + 0.4 * q1 + 0.2;
    EXPECT_NEAR(track.log_likelihood, std::log(e), 1e-12);
    EXPECT_NEAR(belief(track)[0], 0.4 * q0 / e, 1e-12);
    EXPECT_NEAR(belief(track)[2], 0.2 / e, 1e-12);

    // Without a receiver footprint every band is in view; a type without
    // bands is never heard.
    state::CompositeState everywhere;
    everywhere.insert(std::make_shared<const snsr::DetectionProbabilityState>(1.0));
    ostrel::TrackState wide(state::Label{0, 1});
    build(config(coast_key, "1", "0"))->update(everywhere, wide);
    ASSERT_TRUE(wide.gates);
    EXPECT_NEAR(belief(wide)[2], 1.0, 1e-12);
}

}  // namespace
