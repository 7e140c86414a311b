#include <gtest/gtest.h>

#include "filter_test_support.h"
#include "support/expect_message.h"

namespace {

struct FailureCase {
    const char* element;
    const char* message;
};

// Every parameter check that runs when a filter is built, with its exact
// message. Checks run right after their parameter is read, so a later
// parameter that is missing never masks an earlier failure.
const FailureCase failure_cases[] = {
    // Track life scoring.
    {"<birth_initializer><death_rate>0</death_rate></birth_initializer>", "death rate is non-positive"},
    {"<birth_initializer><death_rate>nan</death_rate><birth_rate>1</birth_rate><nominal_dt>1</nominal_dt>"
     "</birth_initializer>",
     "death rate is non-positive"},
    {"<birth_initializer><death_rate>0.1</death_rate><birth_rate>-1</birth_rate></birth_initializer>",
     "birth_density is non-positive"},
    {"<birth_initializer><death_rate>0.1</death_rate><birth_rate>1</birth_rate><nominal_dt>0</nominal_dt>"
     "</birth_initializer>",
     "nominal_dt is non-positive"},
    {"<infinite_footprint_missed_detection_score_inserter><detection_probability>0</detection_probability>"
     "</infinite_footprint_missed_detection_score_inserter>",
     "detection_probability is not positive"},
    {"<infinite_footprint_missed_detection_score_inserter><detection_probability>nan</detection_probability>"
     "</infinite_footprint_missed_detection_score_inserter>",
     "detection_probability is not positive"},
    {"<infinite_footprint_missed_detection_score_inserter><detection_probability>1.0000001"
     "</detection_probability></infinite_footprint_missed_detection_score_inserter>",
     "detection_probability is not less than or equal to one"},
    {"<life_score_inserter><death_rate>-0.5</death_rate></life_score_inserter>",
     "death_rate must be non-negative: death_rate = -0.5"},
    {"<death_score_inserter><death_rate>nan</death_rate></death_score_inserter>",
     "death_rate must be non-negative: death_rate = nan"},
    {"<confirmed_killer><death_rate>-1</death_rate></confirmed_killer>",
     "death_rate must be non-negative: death_rate = -1"},

    // Track management.
    {"<m_of_n_confirmer><m>0</m></m_of_n_confirmer>", "m is less than 1"},
    {"<m_of_n_confirmer><m>3</m><n>2</n><confirmation_reward>1</confirmation_reward>"
     "<continuation_reward>1</continuation_reward></m_of_n_confirmer>", "m is larger than n"},
    {"<m_of_n_confirmer><m>2</m><n>3</n><confirmation_reward>0</confirmation_reward></m_of_n_confirmer>",
     "confirmation_reward is not positive"},
    {"<m_of_n_confirmer><m>2</m><n>3</n><confirmation_reward>5</confirmation_reward>"
     "<continuation_reward>-1</continuation_reward></m_of_n_confirmer>",
     "continuation_reward is not positive"},
    {"<m_of_n_gater><filter><no_op/></filter><m>0</m></m_of_n_gater>", "m is less than 1"},
    {"<m_of_n_gater><filter><no_op/></filter><m>4</m><n>3</n></m_of_n_gater>", "m is larger than n"},
    {"<str_m_of_n_confirmer><m>0</m></str_m_of_n_confirmer>", "m is less than 1"},
    {"<str_m_of_n_confirmer><m>2</m><n>1</n><o>0</o><confirmation_reward>1</confirmation_reward>"
     "<continuation_reward>1</continuation_reward></str_m_of_n_confirmer>", "m is larger than n"},
    {"<str_m_of_n_confirmer><m>1</m><n>1</n><o>5</o><confirmation_reward>-2</confirmation_reward>"
     "</str_m_of_n_confirmer>",
     "confirmation_reward is not positive"},
    {"<str_m_of_n_confirmer><m>1</m><n>1</n><o>0</o><confirmation_reward>2</confirmation_reward>"
     "<continuation_reward>0</continuation_reward></str_m_of_n_confirmer>",
     "continuation_reward is not positive"},
    {"<str_m_of_n_gater><m>0</m></str_m_of_n_gater>", "m is less than 1"},
    {"<str_m_of_n_gater><m>2</m><n>1</n><o>0</o><filter><no_op/></filter></str_m_of_n_gater>", "m is larger than n"},
    {"<maximum_missed_detection_gater><maximum_missed_detections>-1</maximum_missed_detections>"
     "</maximum_missed_detection_gater>",
     "maximum missed detections is negative"},
    {"<maximum_coast_time_gater><maximum_coast_time>-0.5</maximum_coast_time></maximum_coast_time_gater>",
     "maximum coast time is negative"},
    {"<maximum_coast_time_gater><maximum_coast_time>nan</maximum_coast_time><filter><no_op/></filter>"
     "</maximum_coast_time_gater>",
     "maximum_coast_time is not a number: maximum_coast_time = nan"},

    // Kinematic filters.
    {"<position_position_velocity_2d_contact_updater_and_gater><filter><no_op/></filter><gate>-1</gate>"
     "</position_position_velocity_2d_contact_updater_and_gater>",
     "gate must be a non-negative number or \"infinity\": gate = -1"},
    {"<position_velocity_position_velocity_estimate_distance_metric_2d><maximum_distance>nan"
     "</maximum_distance></position_velocity_position_velocity_estimate_distance_metric_2d>",
     "maximum_distance must be a non-negative number or \"infinity\": maximum_distance = nan"},
    {"<position_velocity_position_velocity_estimate_mahalanobis_metric_2d><gate>Infinite</gate>"
     "</position_velocity_position_velocity_estimate_mahalanobis_metric_2d>",
     "unable to convert text from tag = gate"},
    {"<nearly_constant_velocity_2d_predictor><process_noise>1 -2</process_noise>"
     "</nearly_constant_velocity_2d_predictor>",
     "process_noise must be non-negative and finite: process_noise[1] = -2"},
    {"<nearly_constant_position_3d_predictor><process_noise>1 2 inf</process_noise>"
     "</nearly_constant_position_3d_predictor>",
     "process_noise must be non-negative and finite: process_noise[2] = inf"},
    {"<nearly_constant_velocity_3d_predictor><process_noise>1 2</process_noise>"
     "</nearly_constant_velocity_3d_predictor>",
     "unable to convert text from tag = process_noise"},
    {"<position_position_velocity_2d_initializer><nominal_surveillance_area>1</nominal_surveillance_area>"
     "<prior_velocity_covariance>1 0 0 -4"
     "</prior_velocity_covariance></position_position_velocity_2d_initializer>",
     "prior_velocity_covariance must hold finite entries and non-negative variances: "
     "prior_velocity_covariance(1, 1) = -4"},

    // Inner filters are built by the factory when their gater is built.
    {"<gate_gater><no_such_filter/></gate_gater>", "Unknown key: key = no_such_filter"},
    {"<gate_gater/>", "Tag::tag failed, tags is empty"},
};

TEST(FilterConstruction, EveryParameterCheckFailsWithItsMessage) {
    for (const FailureCase& c : failure_cases) {
        SCOPED_TRACE(c.element);
        EXPECT_MESSAGE_CONTAINS(filter_test::build(c.element), c.message);
    }
}

TEST(FilterConstruction, BoundaryValuesAreAccepted) {
    const char* accepted[] = {
        "<infinite_footprint_missed_detection_score_inserter><detection_probability>1</detection_probability>"
        "</infinite_footprint_missed_detection_score_inserter>",
        "<m_of_n_gater><filter><no_op/></filter><m>1</m><n>1</n></m_of_n_gater>",
        "<maximum_missed_detection_gater><maximum_missed_detections>0</maximum_missed_detections>"
        "<filter><no_op/></filter></maximum_missed_detection_gater>",
        "<maximum_coast_time_gater><maximum_coast_time>0</maximum_coast_time><filter><no_op/></filter>"
        "</maximum_coast_time_gater>",
        "<life_score_inserter><death_rate>0</death_rate></life_score_inserter>",
        "<position_position_2d_contact_updater_and_gater><filter><no_op/></filter><gate>0</gate>"
        "</position_position_2d_contact_updater_and_gater>",
        "<nearly_constant_velocity_2d_predictor><process_noise>0 0</process_noise>"
        "</nearly_constant_velocity_2d_predictor>",
        "<str_m_of_n_gater><m>1</m><n>2</n><o>-3</o><filter><no_op/></filter></str_m_of_n_gater>",
        "<tail_gater_updater><tail_time>-1</tail_time></tail_gater_updater>",
        "<position_position_2d_initializer><nominal_surveillance_area>-1</nominal_surveillance_area>"
        "</position_position_2d_initializer>",
    };
    for (const char* element : accepted) {
        SCOPED_TRACE(element);
        EXPECT_NO_THROW(filter_test::build(element));
    }
}

}  // namespace
