#include <gtest/gtest.h>

#include <set>

#include "filters/features/feature_filter_registry.h"
#include "filters/passive/passive_filter_registry.h"

#include "filter_test_support.h"
#include "filters/birth_initializer.h"
#include "filters/estimate_metrics.h"
#include "filters/footprint_gater.h"
#include "filters/gaters.h"
#include "filters/kinematic_initializers.h"
#include "filters/life_death_scores.h"
#include "filters/m_of_n.h"
#include "filters/missed_detection_count.h"
#include "filters/missed_detection_scores.h"
#include "filters/mou_predictor.h"
#include "filters/nearly_constant_position_predictor.h"
#include "filters/nearly_constant_velocity_predictor.h"
#include "filters/position_contact_updaters.h"
#include "filters/str_m_of_n.h"
#include "filters/tail_gater.h"
#include "filters/time_bookkeeping.h"
#include "support/expect_message.h"
#include "tracker/structural_filters.h"

namespace {

using namespace ostrel;
using filter_test::build;

template <class T>
bool is(const Filter& f) {
    return dynamic_cast<const T*>(&f) != nullptr;
}

struct KeyCase {
    const char* key;
    const char* body;  // children of the key's element
    bool (*built_as)(const Filter&);
};

const char* const mou_2d =
    "<mou_process_2d><center>0 0</center><position_sigma>10 10</position_sigma>"
    "<velocity_sigma>1 1</velocity_sigma><process_noise>0.5 0.5</process_noise></mou_process_2d>";
const char* const mou_3d =
    "<mou_process_3d><center>0 0 0</center><position_sigma>10 10 10</position_sigma>"
    "<velocity_sigma>1 1 1</velocity_sigma><process_noise>0.5 0.5 0.5</process_noise></mou_process_3d>";

// One row per key, in registration order.
const std::vector<KeyCase>& key_cases() {
    static const std::vector<KeyCase> cases = {
        {"no_op", "", is<NoOp>},
        {"bad_op", "", is<BadOp>},
        {"composite", "<no_op/><no_op/>", is<CompositeFilter>},
        {"life_score_inserter", "<death_rate>0.1</death_rate>", is<LifeScoreInserter>},
        {"death_score_inserter", "<death_rate>0.1</death_rate>", is<DeathScoreInserter>},
        {"missed_detection_score_inserter", "", is<MissedDetectionScoreInserter>},
        {"infinite_footprint_missed_detection_score_inserter",
         "<detection_probability>0.9</detection_probability>",
         is<InfiniteFootprintMissedDetectionScoreInserter>},
        {"birth_initializer", "<death_rate>0.1</death_rate><birth_rate>2</birth_rate><nominal_dt>1</nominal_dt>",
         is<BirthInitializer>},
        {"confirmed_killer", "<death_rate>0.1</death_rate>", is<ConfirmedKiller>},
        {"position_position_velocity_2d_initializer",
         "<prior_velocity_covariance>1 0 0 1</prior_velocity_covariance>"
         "<nominal_surveillance_area>100</nominal_surveillance_area>",
         is<PositionPositionVelocityInitializer<2>>},
        {"position_position_velocity_3d_initializer",
         "<prior_velocity_covariance>1 0 0 0 1 0 0 0 1</prior_velocity_covariance>"
         "<nominal_surveillance_area>100</nominal_surveillance_area>",
         is<PositionPositionVelocityInitializer<3>>},
        {"position_position_2d_initializer", "<nominal_surveillance_area>100</nominal_surveillance_area>",
         is<PositionPositionInitializer<2>>},
        {"position_position_3d_initializer", "<nominal_surveillance_area>100</nominal_surveillance_area>",
         is<PositionPositionInitializer<3>>},
        {"position_position_velocity_2d_contact_updater_and_gater", "<filter><no_op/></filter><gate>9</gate>",
         is<PositionPositionVelocityContactUpdaterAndGater<2>>},
        {"position_position_velocity_3d_contact_updater_and_gater",
         "<filter><no_op/></filter><gate>infinity</gate>", is<PositionPositionVelocityContactUpdaterAndGater<3>>},
        {"position_position_2d_contact_updater_and_gater", "<filter><no_op/></filter><gate>9</gate>",
         is<PositionPositionContactUpdaterAndGater<2>>},
        {"position_position_3d_contact_updater_and_gater", "<filter><no_op/></filter><gate>9</gate>",
         is<PositionPositionContactUpdaterAndGater<3>>},
        {"nearly_constant_velocity_2d_predictor", "<process_noise>1 1</process_noise>",
         is<NearlyConstantVelocityPredictor<2>>},
        {"nearly_constant_velocity_3d_predictor", "<process_noise>1 1 1</process_noise>",
         is<NearlyConstantVelocityPredictor<3>>},
        {"mou_2d_predictor", mou_2d, is<MouPredictor<2>>},
        {"mou_3d_predictor", mou_3d, is<MouPredictor<3>>},
        {"mou_steady_state_2d_initializer", mou_2d, is<MouSteadyStateInitializer<2>>},
        {"mou_steady_state_3d_initializer", mou_3d, is<MouSteadyStateInitializer<3>>},
        {"position_velocity_position_velocity_3d_contact_updater", "<gate>9</gate>",
         is<PositionVelocityPositionVelocityContactUpdater<3>>},
        {"nearly_constant_position_2d_predictor", "<process_noise>1 1</process_noise>",
         is<NearlyConstantPositionPredictor<2>>},
        {"nearly_constant_position_3d_predictor", "<process_noise>1 1 1</process_noise>",
         is<NearlyConstantPositionPredictor<3>>},
        {"position_velocity_position_velocity_estimate_distance_metric_2d",
         "<maximum_distance>infinity</maximum_distance>",
         is<PositionVelocityPositionVelocityEstimateDistanceMetric<2>>},
        {"position_velocity_position_velocity_estimate_mahalanobis_metric_2d", "<gate>9</gate>",
         is<PositionVelocityPositionVelocityEstimateMahalanobisMetric<2>>},
        {"missed_detection_count_zeroer", "", is<MissedDetectionCountZeroer>},
        {"missed_detection_count_incrementer", "", is<MissedDetectionCountIncrementer>},
        {"maximum_missed_detection_gater",
         "<maximum_missed_detections>1</maximum_missed_detections><filter><no_op/></filter>",
         is<MaximumMissedDetectionGater>},
        {"maximum_coast_time_gater", "<maximum_coast_time>2</maximum_coast_time><filter><no_op/></filter>",
         is<MaximumCoastTimeGater>},
        {"last_contact_time_initializer", "", is<LastContactTimeInitializer>},
        {"m_of_n_initializer", "", is<MofNInitializer>},
        {"m_of_n_coast_updater", "", is<MofNCoastUpdater>},
        {"m_of_n_contact_updater", "", is<MofNContactUpdater>},
        {"m_of_n_confirmer",
         "<m>2</m><n>3</n><confirmation_reward>10</confirmation_reward><continuation_reward>2</continuation_reward>",
         is<MofNConfirmer>},
        {"m_of_n_gater", "<filter><no_op/></filter><m>2</m><n>3</n>", is<MofNGater>},
        {"str_m_of_n_initializer", "", is<str::StrMofNInitializer>},
        {"str_m_of_n_coast_updater", "", is<str::StrMofNCoastUpdater>},
        {"str_m_of_n_contact_updater", "", is<str::StrMofNContactUpdater>},
        {"str_m_of_n_confirmer",
         "<m>2</m><n>3</n><o>1</o><confirmation_reward>10</confirmation_reward>"
         "<continuation_reward>2</continuation_reward>",
         is<str::StrMofNConfirmer>},
        {"str_m_of_n_gater", "<m>2</m><n>3</n><o>1</o><filter><no_op/></filter>", is<str::StrMofNGater>},
        {"time_previous_time_initializer", "", is<TimePreviousTimeInitializer>},
        {"time_previous_time_updater", "", is<TimePreviousTimeUpdater>},
        {"footprint_gater_2d", "<in><no_op/></in><out><no_op/></out>", is<FootprintGater<2>>},
        {"footprint_gater_3d", "<in><no_op/></in><out><no_op/></out>", is<FootprintGater<3>>},
        {"tail_gater_initializer", "", is<TailGaterInitializer>},
        {"tail_gater_updater", "<tail_time>5</tail_time>", is<TailGaterUpdater>},
        {"gate_gater", "<no_op/>", is<GateGater>},
    };
    return cases;
}

TEST(FilterRegistry, EveryKeyBuildsItsClassFromAMinimalElement) {
    for (const KeyCase& c : key_cases()) {
        SCOPED_TRACE(c.key);
        const std::string element = std::string("<") + c.key + ">" + c.body + "</" + c.key + ">";
        FilterPtr filter;
        ASSERT_NO_THROW(filter = build(element));
        ASSERT_TRUE(filter);
        EXPECT_TRUE(c.built_as(*filter));
    }
}

// The passive-sensor and feature keys, when present, come after these.
TEST(FilterRegistry, RegistersTheStructuralKeysFirstThenEachGroupInTableOrder) {
    const auto& keys = filter_keys();
    ASSERT_GE(keys.size(), key_cases().size());
    for (std::size_t i = 0; i < key_cases().size(); ++i) EXPECT_EQ(keys[i].key, key_cases()[i].key) << i;
    std::set<std::string> distinct;
    for (const auto& k : keys) distinct.insert(k.key);
    EXPECT_EQ(distinct.size(), keys.size());
}

// One routine registers the whole library: the catalogue, then the passive
// and feature groups, 100 keys in all.
TEST(FilterRegistry, OneRoutineRegistersAllHundredKeysInGroupOrder) {
    const auto& keys = filter_keys();
    ASSERT_EQ(keys.size(), 100u);
    std::vector<FilterKey> expected(keys.begin(), keys.begin() + key_cases().size());
    for (const auto* group : {&passive_filter_keys(), &feature_filter_keys()})
        expected.insert(expected.end(), group->begin(), group->end());
    ASSERT_EQ(expected.size(), keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) EXPECT_EQ(keys[i].key, expected[i].key) << i;
    FilterFactory local;
    register_filters(local);
    EXPECT_EQ(local.size(), 100u);
}

TEST(FilterRegistry, ASecondRegistrationFailsAndKeepsTheFirstCreator) {
    FilterFactory local;
    register_filters(local);
    EXPECT_MESSAGE(util::register_key(local, "no_op", &util::create<const Filter, BadOp>),
                   "QuerierFactory::registerize failed, key already exists: key = no_op");
    EXPECT_TRUE(is<NoOp>(*local.create(filter_test::parse("<no_op/>"))));
}

TEST(FilterRegistry, UnknownKeyIsNamed) {
    EXPECT_MESSAGE(build("<no_such_filter/>"), "Unknown key: key = no_such_filter");
    EXPECT_MESSAGE(build("<gate_gater><no_such_filter/></gate_gater>"), "Unknown key: key = no_such_filter");
}

}  // namespace
