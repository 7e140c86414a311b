#include <gtest/gtest.h>

#include <string>

#include "model/fusion/gps_id_state.h"
#include "model/fusion/radar_emission_state.h"
#include "model/plotter/color_state.h"
#include "model/states/position_state.h"
#include "model/states/time_state.h"
#include "model/track_label_state.h"
#include "simulation/composite_simulator.h"
#include "simulation/probabilistic_simulator.h"
#include "simulation/track_labeler.h"
#include "simulation_test_support.h"
#include "support/expect_message.h"

namespace {

using sim_test::composite;
using sim_test::make;

state::Label label_of(const state::CompositeState& s) {
    return s.get<state::TrackLabelState>().label;
}

TEST(TrackLabeler, TwoLabelersWithEqualFirstIdHandOutDistinctLabels) {
    auto first = make("<track_labeler><first_id>5</first_id></track_labeler>");
    auto second = make("<track_labeler><first_id>5</first_id></track_labeler>");
    state::CompositeState a1, a2, b1;
    first->simulate(a1);
    first->simulate(a2);
    second->simulate(b1);
    EXPECT_EQ(label_of(a1).id, 5);
    EXPECT_EQ(label_of(a2).id, 6);
    EXPECT_EQ(label_of(a2).src, label_of(a1).src);
    EXPECT_EQ(label_of(b1).id, 5);
    EXPECT_NE(label_of(b1).src, label_of(a1).src);
    // Each took the next value of the program-wide counter.
    EXPECT_EQ(dynamic_cast<smltr::TrackLabeler&>(*second).source(),
              dynamic_cast<smltr::TrackLabeler&>(*first).source() + 1);
}

TEST(CompositeSimulator, AppliesChildrenInDocumentOrder) {
    // The inserter puts the position at the centre; the stepping simulator
    // without process noise then finds it there. In the other order the
    // stepping simulator would find no position.
    auto simulator = make(
        "<composite_simulator>"
        "<const_state_inserter><position_state_1d><position>4</position></position_state_1d>"
        "</const_state_inserter>"
        "<ou_simulator_1d><ou_process_1d><center>0</center><sigma>1</sigma>"
        "<process_noise>0</process_noise></ou_process_1d><dt>1</dt></ou_simulator_1d>"
        "<const_state_inserter><color_state>red</color_state></const_state_inserter>"
        "</composite_simulator>");
    state::CompositeState target;
    simulator->simulate(target);
    EXPECT_EQ(target.get<state::PositionState<1>>().position[0], 4.0);
    EXPECT_EQ(target.get<pltr::ColorState>().color, "red");

    auto reversed = make(
        "<composite_simulator>"
        "<ou_simulator_1d><ou_process_1d><center>0</center><sigma>1</sigma>"
        "<process_noise>0</process_noise></ou_process_1d><dt>1</dt></ou_simulator_1d>"
        "<const_state_inserter><position_state_1d><position>4</position></position_state_1d>"
        "</const_state_inserter></composite_simulator>");
    state::CompositeState other;
    EXPECT_MESSAGE(reversed->simulate(other), "State::cast()");
}

TEST(StateInserters, ConstSharesOneStateWhileXmlBuildsAFreshOneEachCall) {
    auto shared = make("<const_state_inserter><time_state>3.5</time_state></const_state_inserter>");
    auto fresh = make("<xml_state_inserter><time_state>3.5</time_state></xml_state_inserter>");
    state::CompositeState a, b, c, d;
    shared->simulate(a);
    shared->simulate(b);
    fresh->simulate(c);
    fresh->simulate(d);
    EXPECT_EQ(a.find<state::TimeState>(), b.find<state::TimeState>());
    EXPECT_NE(c.find<state::TimeState>(), d.find<state::TimeState>());
    EXPECT_EQ(c.get<state::TimeState>().time, 3.5);
    EXPECT_EQ(d.get<state::TimeState>().time, 3.5);
}

TEST(StateInserters, RejectAMissingOrUnknownStateAtConstruction) {
    EXPECT_MESSAGE(make("<const_state_inserter/>"), "no state element inside const_state_inserter");
    EXPECT_MESSAGE(make("<xml_state_inserter><no_such_state/></xml_state_inserter>"),
                   "Unknown key: key = no_such_state");
}

const std::string choice(const std::string& weight, int first_id) {
    return "<choice><weight>" + weight + "</weight><simulator><track_labeler><first_id>" +
           std::to_string(first_id) + "</first_id></track_labeler></simulator></choice>";
}

TEST(ProbabilisticSimulator, SingleChildOfAnyPositiveWeightIsAlwaysApplied) {
    for (const char* weight : {"0.001", "1", "250"}) {
        auto simulator = make("<probabilistic_simulator><distribution>" + choice(weight, 100) +
                              "</distribution></probabilistic_simulator>");
        for (int k = 0; k < 50; ++k) {
            state::CompositeState target;
            simulator->simulate(target);
            EXPECT_EQ(label_of(target).id, 100 + k) << "weight " << weight;
        }
    }
}

class ProbabilisticChoice : public sim_test::SeededTest {};

TEST_F(ProbabilisticChoice, ChildrenAreDrawnInProportionToTheirWeights) {
    // Weights 1 : 0 : 3; the labelers' ids tell which child ran.
    auto simulator = make("<probabilistic_simulator><distribution>" + choice("1", 0) +
                          choice("0", 1000000) + choice("3", 2000000) +
                          "</distribution></probabilistic_simulator>");
    const int draws = 20000;
    int first = 0, never = 0, third = 0;
    for (int k = 0; k < draws; ++k) {
        state::CompositeState target;
        simulator->simulate(target);
        const int id = label_of(target).id;
        (id >= 2000000 ? third : id >= 1000000 ? never : first) += 1;
    }
    EXPECT_EQ(never, 0);
    EXPECT_EQ(first + third, draws);
    // p = 1/4: standard error sqrt(p (1 - p) / n)
    EXPECT_NEAR(static_cast<double>(first) / draws, 0.25, 5 * std::sqrt(0.25 * 0.75 / draws));
}

TEST(ProbabilisticSimulator, RejectsNegativeAndAllZeroWeights) {
    EXPECT_MESSAGE(make("<probabilistic_simulator><distribution>" + choice("1", 0) +
                        choice("-1", 0) + "</distribution></probabilistic_simulator>"),
                   "negative mass in Discrete::set_mass (choice: weight must be non-negative: weight = -1, "
                   "in probabilistic_simulator)");
    EXPECT_MESSAGE(make("<probabilistic_simulator><distribution>" + choice("0", 0) +
                        choice("0", 0) + "</distribution></probabilistic_simulator>"),
                   "ill-defined distribution in Discrete::set_mass (probabilistic_simulator: distribution "
                   "must be weights with a positive sum: distribution = 0 0)");
    EXPECT_MESSAGE(make("<probabilistic_simulator><distribution/></probabilistic_simulator>"),
                   "ill-defined distribution in Discrete::set_mass (probabilistic_simulator: distribution "
                   "must be weights with a positive sum: distribution = no choices)");
}

TEST(GpsLabelers, GpsIdsCountUpAndTheTrackLabelCarriesTheTargetsId) {
    auto ids = make("<gps_id_labeler/>");
    auto labels = make("<gps_track_labeler/>");
    state::CompositeState a, b;
    ids->simulate(a);
    ids->simulate(b);
    const int id_a = a.get<fusion::GpsIdState>().gps_id;
    EXPECT_GE(id_a, 1);
    EXPECT_EQ(b.get<fusion::GpsIdState>().gps_id, id_a + 1);
    labels->simulate(b);
    EXPECT_EQ(label_of(b).id, id_a + 1);

    state::CompositeState no_id;
    EXPECT_MESSAGE(labels->simulate(no_id), "gps_track_labeler: the target has no gps_id_state");
}

class RadarEmission : public sim_test::SeededTest {};

TEST_F(RadarEmission, FrequenciesAreDrawnFromTheEmittersLawAtTheTargetsTime) {
    auto simulator = make("<radar_emission_state_simulator/>");
    auto target = composite(
        "<time_state>7</time_state><radar_emission_estimate_state><time>1</time>"
        "<normal><mean>9000</mean><covariance>16</covariance></normal>"
        "</radar_emission_estimate_state>");
    std::vector<double> frequencies;
    for (int k = 0; k < 5000; ++k) {
        simulator->simulate(*target);
        EXPECT_EQ(target->get<fusion::RadarEmissionState>().time, 7.0);
        frequencies.push_back(target->get<fusion::RadarEmissionState>().frequency);
    }
    sim_test::expect_normal_moments(frequencies, 9000, 4, 5000, "radar emission");

    state::CompositeState no_law;
    EXPECT_MESSAGE(simulator->simulate(no_law),
                   "radar_emission_state_simulator: the target has no radar_emission_estimate_state");
}

}  // namespace
