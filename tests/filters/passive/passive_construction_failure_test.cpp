#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filters/passive/passive_test_support.h"
#include "support/expect_message.h"

namespace {

using passive_test::build;

std::string library(const std::string& entries) {
    return "<platform_esm_mode_library>" + entries + "</platform_esm_mode_library>";
}
std::string platform(const std::string& type, const std::string& modes) {
    return "<platform><type>" + type + "</type><esm_modes>" + modes + "</esm_modes></platform>";
}
std::string prior(const std::string& values) {
    return "<prior_platform_type_distribution>" + values + "</prior_platform_type_distribution>";
}
const std::string two_types = library(platform("0", "<m>0</m>") + platform("1", "<m>1</m>"));

struct FailureCase {
    const char* name;
    std::string element;
    const char* message;
};

TEST(PassiveConstructionFailures, EachFailsWithItsMessage) {
    const std::string emission_head =
        "<filter><no_op/></filter><emission_gate>9</emission_gate>";
    const std::string one_platform =
        "<platforms><platform><type>0</type><frequency_intervals/></platform></platforms>";
    const std::vector<FailureCase> cases = {
        {"mode updater negative gate", "<esm_mode_contact_updater><gate>-0.5</gate></esm_mode_contact_updater>",
         "gate is negative in EsmModeUpdater"},
        {"platform updater negative gate",
         "<esm_platform_contact_updater><gate>-1</gate>" + two_types + prior("0.5 0.5") +
             "</esm_platform_contact_updater>",
         "gate is negative in EsmPlatformContactUpdater"},
        {"gps platform negative gate",
         "<gps_3d_platform_contact_udpater><gate>-1e-9</gate>" + prior("1") +
             "</gps_3d_platform_contact_udpater>",
         "gate is negative in GpsPlatformFilter"},
        {"mode initializer size mismatch",
         "<esm_mode_initializer>" + prior("0.2 0.3 0.5") + two_types + "</esm_mode_initializer>",
         "size mismatch between prior_platform_type_distribution and platform_mode_library in "
         "EsmModeInitializer"},
        {"mode initializer zero prior",
         "<esm_mode_initializer>" + prior("0 0") + two_types + "</esm_mode_initializer>",
         "sum not positive in EsmModeInitializer"},
        {"mode initializer no modes",
         "<esm_mode_initializer>" + prior("1") + library(platform("0", "")) + "</esm_mode_initializer>",
         "sum not positive in EsmModeInitializer"},
        {"library type too large",
         "<esm_mode_initializer>" + prior("0.5 0.5") +
             library(platform("0", "<m>0</m>") + platform("2", "<m>1</m>")) + "</esm_mode_initializer>",
         "unknown platform type in PlatformModeLibrary, type 2"},
        {"library type negative",
         "<esm_platform_contact_updater><gate>0</gate>" + library(platform("-1", "<m>0</m>")) +
             prior("1") + "</esm_platform_contact_updater>",
         "unknown platform type in PlatformModeLibrary, type -1"},
        {"library type twice",
         "<esm_mode_initializer>" + prior("0.5 0.5") +
             library(platform("1", "<m>0</m>") + platform("1", "<m>1</m>")) + "</esm_mode_initializer>",
         "platform type listed twice in PlatformModeLibrary, type 1"},
        {"library negative mode",
         "<esm_mode_initializer>" + prior("1") + library(platform("0", "<m>-3</m>")) +
             "</esm_mode_initializer>",
         "negative mode index in PlatformModeLibrary, type 0: mode = -3"},
        {"library mode twice",
         "<esm_mode_initializer>" + prior("1") + library(platform("0", "<m>4</m><m>4</m>")) +
             "</esm_mode_initializer>",
         "mode listed twice in PlatformModeLibrary, type 0: mode = 4"},
        {"platform updater prior longer than library",
         "<esm_platform_contact_updater><gate>0</gate>" + two_types + prior("0.2 0.3 0.5") +
             "</esm_platform_contact_updater>",
         "size mismatch in EsmPlatformContactUpdater: prior_platform_type_distribution has 3 "
         "entries, platform_esm_mode_library has 2"},
        {"negative prior entry",
         "<gps_3d_platform_contact_udpater><gate>0</gate>" + prior("0.5 -0.1") +
             "</gps_3d_platform_contact_udpater>",
         "prior_platform_type_distribution must hold finite non-negative probabilities: "
         "prior_platform_type_distribution[1] = -0.1"},
        {"inserter zero sum",
         "<platform_type_distribution_inserter><distribution>0 0</distribution>"
         "</platform_type_distribution_inserter>",
         "distribution must have a positive sum: sum = 0"},
        {"negative velocity variance",
         "<radar_position_velocity_initializer><prior_velocity_covariance>1 0 0 0 -1 0 0 0 1"
         "</prior_velocity_covariance></radar_position_velocity_initializer>",
         "prior_velocity_covariance must hold finite entries and non-negative variances: "
         "prior_velocity_covariance(1, 1) = -1"},
        {"negative kalman gate",
         "<radar_position_velocity_ekf_contact_updater><gate>-2</gate>"
         "</radar_position_velocity_ekf_contact_updater>",
         "gate must be a non-negative number or \"infinity\": gate = -2"},
        {"negative platform type gate",
         "<emission_radar_emission_platform_type_coast_updater_and_gater>" + emission_head +
             "<platform_type_gate>-0.1</platform_type_gate>" + one_platform +
             "</emission_radar_emission_platform_type_coast_updater_and_gater>",
         "platform_type_gate must be a non-negative number: platform_type_gate = -0.1"},
        {"emission platform type unknown",
         "<emission_radar_emission_platform_type_contact_updater_and_gater>" + emission_head +
             "<platform_type_gate>0</platform_type_gate><platforms><platform><type>1</type>"
             "<frequency_intervals/></platform></platforms>"
             "</emission_radar_emission_platform_type_contact_updater_and_gater>",
         "unknown platform type in platforms, type 1"},
        {"negative broadcasting type",
         "<passive_platform_type_sensor_coast_updater_and_gater><filter><no_op/></filter>"
         "<gate>1</gate><broadcasting_platform_types>0 -2</broadcasting_platform_types>"
         "</passive_platform_type_sensor_coast_updater_and_gater>",
         "broadcasting_platform_types holds a negative platform type: type = -2"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_MESSAGE_STARTS(build(c.element), c.message);
    }
}

TEST(PassiveConstructionFailures, ProbabilityGatesAcceptZeroAndInfinity) {
    for (const char* gate : {"0", "infinity"}) {
        SCOPED_TRACE(gate);
        EXPECT_NE(build(std::string("<esm_mode_contact_updater><gate>") + gate +
                        "</gate></esm_mode_contact_updater>"),
                  nullptr);
    }
}

}  // namespace
