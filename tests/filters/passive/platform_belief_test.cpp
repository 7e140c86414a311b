#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "filters/passive/esm_mode_filters.h"
#include "filters/passive/esm_mode_state.h"
#include "filters/passive/passive_test_support.h"
#include "model/fusion/gps_id_state.h"
#include "model/states/detection_probability_state.h"
#include "model/states/platform_type_distribution_state.h"
#include "support/expect_message.h"

namespace {

using namespace passive_test;

// Type 0 shows modes 0 and 1, type 1 mode 1 only, type 2 modes 2 and 3.
const std::string library =
    "<platform_esm_mode_library>"
    "<platform><type>1</type><esm_modes><m>1</m></esm_modes></platform>"
    "<platform><type>0</type><esm_modes><m>0</m><m>1</m></esm_modes></platform>"
    "<platform><type>2</type><esm_modes>2 3</esm_modes></platform>"
    "</platform_esm_mode_library>";
const std::string prior = "<prior_platform_type_distribution>0.5 0.3 0.2</prior_platform_type_distribution>";

double sum(const nmrc::DynamicVector& v) {
    double s = 0;
    for (int k = 0; k < v.size(); ++k) s += v[k];
    return s;
}

void expect_distribution(const nmrc::DynamicVector& actual, std::initializer_list<double> expected) {
    ASSERT_EQ(actual.size(), static_cast<int>(expected.size()));
    int k = 0;
    for (double x : expected) EXPECT_NEAR(actual[k++], x, 1e-12) << "entry " << k - 1;
}

ostrel::TrackState track_with_modes(std::initializer_list<double> modes) {
    ostrel::TrackState track(state::Label{0, 1});
    track.states.insert(std::make_shared<const ostrel::EsmModeState>(dynamic(modes)));
    return track;
}

ostrel::TrackState track_with_types(std::initializer_list<double> types) {
    ostrel::TrackState track(state::Label{0, 1});
    track.states.insert(std::make_shared<const ostrel::PlatformTypeDistributionState>(dynamic(types)));
    return track;
}

TEST(EsmModeInitializer, SpreadsEachPlatformTypesPriorOverTheModesItLists) {
    const auto filter = build("<esm_mode_initializer>" + prior + library + "</esm_mode_initializer>");
    const auto& initializer = dynamic_cast<const ostrel::EsmModeInitializer&>(*filter);
    // Mode 0: 0.5; mode 1: 0.5 + 0.3; modes 2 and 3: 0.2 each; total 1.7.
    expect_distribution(initializer.mode_prior(), {0.5 / 1.7, 0.8 / 1.7, 0.2 / 1.7, 0.2 / 1.7});

    ostrel::TrackState track(state::Label{0, 1});
    filter->update(mode_contact({1, 0, 0.5, 0}), track);
    const double e = (0.5 + 0.5 * 0.2) / 1.7;
    EXPECT_NEAR(track.log_likelihood, std::log(e), 1e-12);
    const auto& modes = track.states.get<ostrel::EsmModeState>().distribution;
    expect_distribution(modes, {0.5 / 1.7 / e, 0, 0.1 / 1.7 / e, 0});
}

TEST(EsmModeInitializer, RejectsAnInterceptNoModeExplainsAndChecksLengths) {
    const auto filter = build("<esm_mode_initializer>" + prior + library + "</esm_mode_initializer>");
    ostrel::TrackState impossible(state::Label{0, 1});
    filter->update(mode_contact({0, 0, 0, 0}), impossible);
    EXPECT_FALSE(impossible.gates);
    EXPECT_FALSE(impossible.states.has<ostrel::EsmModeState>());
    EXPECT_EQ(impossible.log_likelihood, 0.0);

    ostrel::TrackState track(state::Label{0, 1});
    EXPECT_MESSAGE(filter->update(mode_contact({1, 1, 1}), track),
                   "size mismatch in EsmModeInitializer: the contact's mode_distribution has 3 "
                   "entries, the mode prior has 4");
}

TEST(EsmModeContactUpdater, KeepsTheBeliefNormalisedAndGatesOnThePredictiveProbability) {
    const auto contact = mode_contact({0.9, 0.1, 0.5});
    // e = 0.2 * 0.9 + 0.3 * 0.1 + 0.5 * 0.5 = 0.46
    struct Case {
        const char* gate;
        bool passes;
    };
    for (const Case& c : {Case{"0", true}, Case{"0.4599", true}, Case{"0.46", false}, Case{"infinity", false}}) {
        SCOPED_TRACE(c.gate);
        ostrel::TrackState track = track_with_modes({0.2, 0.3, 0.5});
        const auto before = track.states.find<ostrel::EsmModeState>();
        build(std::string("<esm_mode_contact_updater><gate>") + c.gate + "</gate></esm_mode_contact_updater>")
            ->update(contact, track);
        EXPECT_EQ(track.gates, c.passes);
        if (c.passes) {
            EXPECT_NEAR(track.log_likelihood, std::log(0.46), 1e-12);
            const auto& m = track.states.get<ostrel::EsmModeState>().distribution;
            EXPECT_NEAR(sum(m), 1.0, 1e-12);
            expect_distribution(m, {0.18 / 0.46, 0.03 / 0.46, 0.25 / 0.46});
        } else {
            EXPECT_EQ(track.log_likelihood, 0.0);
            EXPECT_EQ(track.states.find<ostrel::EsmModeState>(), before);
        }
    }
}

TEST(EsmModeContactUpdater, EndsTheRunWhenTheModeCountsDiffer) {
    ostrel::TrackState track = track_with_modes({0.5, 0.5});
    EXPECT_MESSAGE(build("<esm_mode_contact_updater><gate>0</gate></esm_mode_contact_updater>")
                       ->update(mode_contact({1, 1, 1}), track),
                   "size mismatch in EsmModeContactUpdater: the contact's mode_distribution has 3 "
                   "entries, the track's esm_mode_state has 2");
}

TEST(EsmModeState, WritesItsDistributionAndReadsItBack) {
    const ostrel::EsmModeState s(dynamic({0.25, 0.75}));
    std::ostringstream text;
    {
        xml::OutStream out(text, "");
        s.write(out);
    }
    EXPECT_NE(text.str().find("<esm_mode_state>"), std::string::npos);
    EXPECT_NE(text.str().find("<distribution>0.25 0.75</distribution>"), std::string::npos);
    EXPECT_EQ(ostrel::EsmModeState(parse(text.str())).distribution, s.distribution);
}

TEST(EsmPlatformContactUpdater, WeighsEachTypeByTheMeanLikelihoodOfItsModes) {
    const auto filter = build("<esm_platform_contact_updater><gate>0</gate>" + library + prior +
                              "</esm_platform_contact_updater>");
    // L_0 = (0.8 + 0.2) / 2, L_1 = 0.2, L_2 = (0 + 0.4) / 2
    const auto contact = mode_contact({0.8, 0.2, 0, 0.4});
    ostrel::TrackState fresh(state::Label{0, 1});  // uses the configured prior
    filter->update(contact, fresh);
    const double e = 0.5 * 0.5 + 0.3 * 0.2 + 0.2 * 0.2;
    EXPECT_NEAR(fresh.log_likelihood, std::log(e), 1e-12);
    const auto& p = fresh.states.get<ostrel::PlatformTypeDistributionState>().distribution;
    expect_distribution(p, {0.25 / e, 0.06 / e, 0.04 / e});

    ostrel::TrackState held = track_with_types({0, 1, 0});  // the track's own belief wins
    filter->update(contact, held);
    EXPECT_NEAR(held.log_likelihood, std::log(0.2), 1e-12);
    expect_distribution(held.states.get<ostrel::PlatformTypeDistributionState>().distribution, {0, 1, 0});
}

TEST(EsmPlatformContactUpdater, GatesAndChecksModeIndicesAndBeliefLength) {
    const auto strict = build("<esm_platform_contact_updater><gate>0.5</gate>" + library + prior +
                              "</esm_platform_contact_updater>");
    ostrel::TrackState track(state::Label{0, 1});
    strict->update(mode_contact({0.8, 0.2, 0, 0.4}), track);  // e = 0.35
    EXPECT_FALSE(track.gates);
    EXPECT_FALSE(track.states.has<ostrel::PlatformTypeDistributionState>());

    ostrel::TrackState short_contact(state::Label{0, 1});
    EXPECT_MESSAGE(strict->update(mode_contact({1, 1, 1}), short_contact),
                   "mode index 3 is outside the contact's mode_distribution of length 3 in "
                   "EsmPlatformContactUpdater");
    ostrel::TrackState two_types = track_with_types({0.5, 0.5});
    EXPECT_MESSAGE(strict->update(mode_contact({1, 1, 1, 1}), two_types),
                   "size mismatch in EsmPlatformContactUpdater: the platform-type belief has 2 "
                   "entries, the platform library has 3");
}

TEST(GpsPlatformContactUpdater, MakesTheBeliefCertainOfTheReportedType) {
    const auto filter = build(
        "<gps_3d_platform_contact_udpater><gate>0.1</gate>" + prior + "</gps_3d_platform_contact_udpater>");
    ostrel::TrackState track(state::Label{0, 1});
    filter->update(gps_contact({0, 0, 0}, 1, 9, 1), track);
    ASSERT_TRUE(track.gates);
    EXPECT_NEAR(track.log_likelihood, std::log(0.3), 1e-12);
    expect_distribution(track.states.get<ostrel::PlatformTypeDistributionState>().distribution, {0, 1, 0});
    EXPECT_EQ(track.states.get<fusion::GpsIdState>().gps_id, 9);

    struct Case {
        const char* name;
        state::CompositeState contact;
    };
    for (const Case& c : {Case{"another gps id", gps_contact({0, 0, 0}, 1, 8, 1)},
                          Case{"a type the belief rules out", gps_contact({0, 0, 0}, 1, 9, 2)}}) {
        SCOPED_TRACE(c.name);
        ostrel::TrackState next = ostrel::TrackState::extending(track);
        filter->update(c.contact, next);
        EXPECT_FALSE(next.gates);
        EXPECT_EQ(next.log_likelihood, 0.0);
    }
    ostrel::TrackState low(state::Label{0, 1});  // prior 0.2 for type 2 is above 0.1
    filter->update(gps_contact({0, 0, 0}, 1, 1, 2), low);
    EXPECT_TRUE(low.gates);

    ostrel::TrackState unknown(state::Label{0, 1});
    EXPECT_MESSAGE(filter->update(gps_contact({0, 0, 0}, 1, 1, 3), unknown),
                   "platform_type 3 is outside the platform-type distribution of length 3 in "
                   "GpsPlatformContactUpdater");
}

TEST(PlatformTypeDistributionInserter, InsertsOneSharedState) {
    const auto filter = build(
        "<platform_type_distribution_inserter><distribution>0.25 0.75</distribution>"
        "</platform_type_distribution_inserter>");
    ostrel::TrackState a(state::Label{0, 1}), b(state::Label{0, 2});
    filter->update(state::CompositeState(), a);
    filter->update(state::CompositeState(), b);
    EXPECT_EQ(a.states.find<ostrel::PlatformTypeDistributionState>(),
              b.states.find<ostrel::PlatformTypeDistributionState>());
    expect_distribution(a.states.get<ostrel::PlatformTypeDistributionState>().distribution, {0.25, 0.75});
}

state::CompositeState meta_data(double detection_probability) {
    state::CompositeState c;
    c.insert(std::make_shared<const snsr::DetectionProbabilityState>(detection_probability));
    return c;
}

TEST(PassivePlatformTypeSensorCoast, SilenceShiftsBeliefAwayFromBroadcastingTypes) {
    const auto filter = build(
        "<passive_platform_type_sensor_coast_updater_and_gater><filter><no_op/></filter>"
        "<gate>infinity</gate><broadcasting_platform_types><t>0</t><t>2</t>"
        "</broadcasting_platform_types></passive_platform_type_sensor_coast_updater_and_gater>");
    ostrel::TrackState track = track_with_types({0.5, 0.3, 0.2});
    filter->update(meta_data(0.8), track);
    const double e = 0.5 * 0.2 + 0.3 + 0.2 * 0.2;  // 0.44
    EXPECT_NEAR(track.log_likelihood, std::log(e), 1e-12);
    const auto& p = track.states.get<ostrel::PlatformTypeDistributionState>().distribution;
    EXPECT_NEAR(sum(p), 1.0, 1e-12);
    expect_distribution(p, {0.1 / e, 0.3 / e, 0.04 / e});

    // Certain detection of a certainly broadcasting platform: silence is
    // impossible, rejected even with an infinite gate.
    ostrel::TrackState certain = track_with_types({1, 0, 0});
    filter->update(meta_data(1.0), certain);
    EXPECT_FALSE(certain.gates);
}

TEST(PassivePlatformTypeSensorCoast, GatesOnTheSurpriseOfTheSilence) {
    auto with_gate = [](const std::string& gate) {
        return build(
            "<passive_platform_type_sensor_coast_updater_and_gater><filter><no_op/></filter><gate>" +
            gate + "</gate><broadcasting_platform_types>0</broadcasting_platform_types>"
                   "</passive_platform_type_sensor_coast_updater_and_gater>");
    };
    // e = 0.5 * 0.1 + 0.5 = 0.55; -ln e = 0.598
    ostrel::TrackState pass = track_with_types({0.5, 0.5});
    with_gate("0.6")->update(meta_data(0.9), pass);
    EXPECT_TRUE(pass.gates);
    ostrel::TrackState fail = track_with_types({0.5, 0.5});
    with_gate("0.59")->update(meta_data(0.9), fail);
    EXPECT_FALSE(fail.gates);
    EXPECT_EQ(fail.log_likelihood, 0.0);

    ostrel::TrackState one_type = track_with_types({1});
    EXPECT_NO_THROW(with_gate("1")->update(meta_data(0.5), one_type));
    const auto beyond = build(
        "<passive_platform_type_sensor_coast_updater_and_gater><filter><no_op/></filter><gate>1</gate>"
        "<broadcasting_platform_types>1</broadcasting_platform_types>"
        "</passive_platform_type_sensor_coast_updater_and_gater>");
    ostrel::TrackState short_belief = track_with_types({1});
    EXPECT_MESSAGE(beyond->update(meta_data(0.5), short_belief),
                   "broadcasting platform type 1 is outside the platform-type belief of length 1 in "
                   "PassivePlatformTypeSensorCoastUpdaterAndGater");
}

}  // namespace
