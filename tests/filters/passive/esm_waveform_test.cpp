#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>

#include "filters/passive/esm_waveform_states.h"
#include "filters/passive/passive_test_support.h"
#include "support/expect_message.h"

namespace {

using namespace passive_test;

ostrel::EsmFeatureContact feature(int id, double mean, double variance, double support = 100,
                                  double transition_rate = 0) {
    return {id, mean, variance, support, transition_rate};
}

state::CompositeState waveforms(std::vector<ostrel::EsmWaveformContact> w,
                                std::initializer_list<double> modes = {1}) {
    ostrel::EsmContact::Fields f;
    f.min_range = 1;
    f.max_range = 2;
    f.mode_distribution = dynamic(modes);
    f.waveform_contacts = std::move(w);
    return esm_contact(std::move(f));
}

ostrel::FilterPtr with_gate(const std::string& key, const std::string& gate) {
    return build("<" + key + "><gate>" + gate + "</gate></" + key + ">");
}

TEST(EsmEstimateStateInitializer, AdoptsTheInterceptedFeaturesScoredUniformlyOverTheirSupport) {
    ostrel::TrackState track(state::Label{0, 1});
    build("<esm_estimate_state_initializer/>")
        ->update(waveforms({{feature(5, 9.5, 0.04, 2), feature(2, 1.0, 0.01, 4)}}), track);
    const auto& belief = track.states.get<ostrel::EsmWaveformState>().features;
    ASSERT_EQ(belief.size(), 2u);
    EXPECT_EQ(belief[0].id, 2);  // kept in id order
    EXPECT_EQ(belief[1].mean, 9.5);
    EXPECT_NEAR(track.log_likelihood, -std::log(2.0) - std::log(4.0), 1e-12);
}

TEST(EsmWaveformContactUpdater, FusesKnownFeaturesAndGatesOnTheirDistance) {
    ostrel::TrackState track(state::Label{0, 1});
    track.states.insert(std::make_shared<const ostrel::EsmWaveformState>(
        ostrel::WaveformBelief{{1, 10.0, 1.0}}));
    // Known feature 1 measured 12 with variance 3: S = 4, d^2 = 1; a new
    // feature 4 with support 50.
    const auto contact = waveforms({{feature(1, 12.0, 3.0), feature(4, 0.5, 0.1, 50)}});
    ostrel::TrackState pass = ostrel::TrackState::extending(track);
    with_gate("esm_waveform_contact_updater", "1.01")->update(contact, pass);
    ASSERT_TRUE(pass.gates);
    EXPECT_NEAR(pass.log_likelihood, -0.5 * std::log(2 * M_PI * 4) - 0.5 - std::log(50.0), 1e-12);
    const auto& belief = pass.states.get<ostrel::EsmWaveformState>().features;
    ASSERT_EQ(belief.size(), 2u);
    EXPECT_NEAR(belief[0].mean, 10.5, 1e-12);      // K = 1/4
    EXPECT_NEAR(belief[0].variance, 0.75, 1e-12);  // (1 - K) P
    EXPECT_EQ(belief[1].id, 4);

    ostrel::TrackState fail = ostrel::TrackState::extending(track);
    with_gate("esm_waveform_contact_updater", "1")->update(contact, fail);
    EXPECT_FALSE(fail.gates);
    EXPECT_EQ(fail.log_likelihood, 0.0);
    EXPECT_EQ(fail.states.get<ostrel::EsmWaveformState>().features.size(), 1u);
}

TEST(EsmWaveformContactUpdater, RefusesFeaturesThatChangeBetweenIntercepts) {
    ostrel::TrackState track(state::Label{0, 1});
    EXPECT_MESSAGE(with_gate("esm_waveform_contact_updater", "9")
                       ->update(waveforms({{feature(1, 1, 1)}, {feature(2, 1, 1, 10, 0.5)}}), track),
                   "transition rate is non-zero in EsmWaveformContactUpdater");
    EXPECT_MESSAGE(with_gate("esm_waveform_contact_updater", "9")
                       ->update(waveforms({{feature(1, 1, 1, 0)}}), track),
                   "support of feature 1 must be positive in EsmWaveformContactUpdater: support = 0");
}

TEST(EsmWaveformModeContactUpdater, KeepsOneWaveformPerEmitterMode) {
    const auto filter = with_gate("esm_waveform_mode_contact_updater", "4");
    ostrel::TrackState track(state::Label{0, 1});
    // Mode 2 most likely: a new entry for mode 2.
    filter->update(waveforms({{feature(1, 100, 1)}}, {0.1, 0.2, 0.7}), track);
    ASSERT_TRUE(track.gates);
    EXPECT_NEAR(track.log_likelihood, -std::log(100.0), 1e-12);
    // Mode 0 most likely, different waveform: a second entry, no gating
    // against mode 2's waveform.
    ostrel::TrackState second = ostrel::TrackState::extending(track);
    filter->update(waveforms({{feature(1, 300, 1)}}, {0.9, 0.05, 0.05}), second);
    ASSERT_TRUE(second.gates);
    const auto& list = second.states.get<ostrel::EsmWaveformModeListState>();
    ASSERT_EQ(list.modes.size(), 2u);
    EXPECT_EQ(list.modes[0].index, 0);
    EXPECT_EQ(list.modes[1].index, 2);
    // Mode 2 again with a waveform far from its own: rejected.
    ostrel::TrackState third = ostrel::TrackState::extending(second);
    filter->update(waveforms({{feature(1, 300, 1)}}, {0, 0, 1}), third);
    EXPECT_FALSE(third.gates);
}

TEST(EsmWaveformModeContactUpdater, NeedsExactlyOneWaveform) {
    ostrel::TrackState track(state::Label{0, 1});
    for (std::size_t count : {0u, 2u}) {
        SCOPED_TRACE(count);
        EXPECT_MESSAGE(with_gate("esm_waveform_mode_contact_updater", "4")
                           ->update(waveforms(std::vector<ostrel::EsmWaveformContact>(
                                        count, {feature(1, 1, 1)})),
                                    track),
                       "count is not one in EsmWaveformModeContactUpdater");
    }
}

TEST(EsmWaveformStates, ReadBackWhatTheyWrite) {
    const ostrel::EsmWaveformModeListState list({{3, {{1, 2.5, 0.5}, {7, -1, 2}}}});
    std::ostringstream text;
    {
        xml::OutStream out(text, "");
        list.write(out);
    }
    const ostrel::EsmWaveformModeListState back(parse(text.str()));
    ASSERT_EQ(back.modes.size(), 1u);
    ASSERT_NE(back.find(3), nullptr);
    EXPECT_EQ(back.find(3)->size(), 2u);
    EXPECT_EQ((*back.find(3))[1].mean, -1);
    EXPECT_EQ(back.find(4), nullptr);
}

}  // namespace
