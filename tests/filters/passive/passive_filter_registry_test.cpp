#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filters/passive/passive_filter_registry.h"
#include "filters/passive/passive_test_support.h"
#include "support/expect_message.h"

namespace {

using passive_test::build;

const std::string velocity = "<prior_velocity_covariance>1 0 0 0 1 0 0 0 1</prior_velocity_covariance>";
const std::string gate = "<gate>16</gate>";
const std::string library =
    "<platform_esm_mode_library>"
    "<platform><type>0</type><esm_modes><m>0</m><m>1</m></esm_modes></platform>"
    "<platform><type>1</type><esm_modes><m>2</m></esm_modes></platform>"
    "</platform_esm_mode_library>";
const std::string prior = "<prior_platform_type_distribution>0.5 0.5</prior_platform_type_distribution>";
const std::string emission =
    "<filter><no_op/></filter><emission_gate>9</emission_gate><platform_type_gate>0</platform_type_gate>"
    "<platforms><platform><type>0</type><frequency_intervals><frequency_interval><min>1</min>"
    "<max>2</max></frequency_interval></frequency_intervals></platform></platforms>";

struct KeyCase {
    const char* key;
    std::string parameters;
};

// Every key in registration order with the least configuration it needs.
const std::vector<KeyCase>& key_cases() {
    static const std::vector<KeyCase> cases = {
        {"spherical_position_velocity_initializer", velocity},
        {"radar_position_velocity_initializer", velocity},
        {"radar_position_velocity_ekf_contact_updater", gate},
        {"radar_position_velocity_kf_contact_updater", gate},
        {"radar_position_velocity_iekf_contact_updater", gate},
        {"range_theta_phi_position_velocity_ekf_contact_updater", gate},
        {"range_theta_phi_position_velocity_kf_contact_updater", gate},
        {"range_theta_phi_position_velocity_iekf_contact_updater", gate},
        {"gps_position_velocity_3d_initializer", velocity},
        {"gps_position_velocity_3d_contact_updater", gate},
        {"gps_3d_platform_contact_udpater", "<gate>0</gate>" + prior},
        {"esm_mode_initializer", prior + library},
        {"esm_mode_contact_updater", "<gate>0</gate>"},
        {"esm_waveform_contact_updater", gate},
        {"esm_position_velocity_initializer", velocity},
        {"esm_estimate_state_initializer", ""},
        {"esm_position_velocity_ekf_contact_updater", gate},
        {"esm_position_velocity_kf_contact_updater", gate},
        {"esm_position_velocity_iekf_initializer", gate},
        {"theta_phi_position_velocity_ekf_contact_updater", gate},
        {"theta_phi_position_velocity_kf_contact_updater", gate},
        {"theta_phi_position_velocity_iekf_contact_updater", gate},
        {"esm_platform_contact_updater", "<gate>0</gate>" + library + prior},
        {"esm_waveform_mode_contact_updater", "<gate>infinity</gate>"},
        {"esm_homogenized_position_contact_updater", gate},
        {"platform_type_distribution_inserter", "<distribution>0.25 0.75</distribution>"},
        {"emission_radar_emission_platform_type_contact_updater_and_gater", emission},
        {"emission_radar_emission_platform_type_coast_updater_and_gater", emission},
        {"gps_contact_updater_and_gater", "<filter><no_op/></filter>" + gate},
        {"passive_platform_type_sensor_coast_updater_and_gater",
         "<filter><no_op/></filter>" + gate +
             "<broadcasting_platform_types><t>0</t></broadcasting_platform_types>"},
    };
    return cases;
}

TEST(PassiveFilterRegistry, HoldsThirtyKeysInTheirTableOrder) {
    const auto& keys = ostrel::passive_filter_keys();
    ASSERT_EQ(keys.size(), key_cases().size());
    for (std::size_t k = 0; k < keys.size(); ++k) EXPECT_EQ(keys[k].key, key_cases()[k].key);
}

TEST(PassiveFilterRegistry, EveryKeyBuildsFromAMinimalElement) {
    for (const KeyCase& c : key_cases()) {
        SCOPED_TRACE(c.key);
        const std::string key = c.key;
        EXPECT_NE(build("<" + key + ">" + c.parameters + "</" + key + ">"), nullptr);
    }
}

TEST(PassiveFilterRegistry, SphericalAndRadarInitializersShareOneCreator) {
    const auto& keys = ostrel::passive_filter_keys();
    EXPECT_EQ(keys[0].creator, keys[1].creator);
}

TEST(PassiveFilterRegistry, RegisteringTwiceFailsAndKeepsTheFirstCreators) {
    ostrel::FilterFactory factory;
    ostrel::register_passive_filters(factory);
    EXPECT_EQ(factory.size(), 30u);
    EXPECT_MESSAGE_STARTS(ostrel::register_passive_filters(factory),
                          "QuerierFactory::registerize failed, key already exists: key = ");
    EXPECT_EQ(factory.size(), 30u);
}

}  // namespace
