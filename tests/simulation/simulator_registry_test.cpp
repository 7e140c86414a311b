#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/states/truth_state.h"
#include "simulation_test_support.h"

namespace {

using sim_test::composite;
using sim_test::make;

std::string d(int n) { return std::to_string(n) + "d"; }
std::string numbers(int n, const std::string& value) {
    std::string text;
    for (int k = 0; k < n; ++k) text += (k ? " " : "") + value;
    return text;
}
std::string identity(int n) {
    std::string text;
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j) text += std::string(i || j ? " " : "") + (i == j ? "1" : "0");
    return text;
}
std::string ou_process(int n) {
    return "<ou_process_" + d(n) + "><center>" + numbers(n, "0") + "</center><sigma>" +
           numbers(n, "1") + "</sigma><process_noise>" + numbers(n, "1") +
           "</process_noise></ou_process_" + d(n) + ">";
}
std::string mou_process(int n) {
    return "<mou_process_" + d(n) + "><center>" + numbers(n, "0") + "</center><position_sigma>" +
           numbers(n, "2") + "</position_sigma><velocity_sigma>" + numbers(n, "1") +
           "</velocity_sigma><process_noise>" + numbers(n, "1") + "</process_noise></mou_process_" +
           d(n) + ">";
}
std::string element(const std::string& key, const std::string& children = "") {
    return "<" + key + ">" + children + "</" + key + ">";
}

// Every state a simulator of the table might read, in every dimension.
std::string all_target_states() {
    std::string s = "<time_state>1</time_state>";
    for (int n = 1; n <= 3; ++n) {
        s += element("position_state_" + d(n), element("position", numbers(n, "0.5")));
        s += element("position_velocity_state_" + d(n), element("position", numbers(n, "0.5")) +
                                                            element("velocity", numbers(n, "0.1")));
        s += element("position_estimate_state_" + d(n),
                     "<time>1</time>" + element("normal", element("mean", numbers(n, "0.5")) +
                                                              element("covariance", identity(n))));
        s += element("position_velocity_estimate_state_" + d(n),
                     "<time>1</time>" +
                         element("normal", element("mean", numbers(2 * n, "0.5")) +
                                               element("covariance", identity(2 * n))));
    }
    for (int n = 1; n <= 4; ++n)
        s += element("gaussian_feature_state_" + d(n), "<time>1</time>" +
                                                           element("mean", numbers(n, "0.5")) +
                                                           element("sigma", numbers(n, "0")));
    s += "<gaussian_feature_vector_state><time>1</time><size>2</size><mean>1 2</mean>"
         "<sigma>0 0</sigma></gaussian_feature_vector_state>";
    s += "<gps_id_state><gps_id>0</gps_id></gps_id_state>";
    s += "<radar_emission_estimate_state><time>1</time><normal><mean>100</mean>"
         "<covariance>1</covariance></normal></radar_emission_estimate_state>";
    s += "<range_theta_phi_estimate_state><time>1</time><normal><mean>10 30 5</mean>"
         "<covariance>1 0 0 0 1 0 0 0 1</covariance></normal><sensor_position>0 0 0"
         "</sensor_position></range_theta_phi_estimate_state>";
    s += "<theta_phi_estimate_state><time>1</time><mean>30 5</mean><sigmas>1 1</sigmas>"
         "<sensor_position>0 0 0</sensor_position><range_interval><open_interval>5 15"
         "</open_interval></range_interval></theta_phi_estimate_state>";
    return s;
}

std::string erased_states() {
    return "<plotter_point_state_2d><point>1 2</point></plotter_point_state_2d>"
           "<plotter_covariance_state_2d><covariance>2 0 0 2</covariance></plotter_covariance_state_2d>"
           "<plotter_point_state_3d><point>1 2 3</point></plotter_point_state_3d>"
           "<plotter_covariance_state_3d><covariance>" + identity(3) + "</covariance>"
           "</plotter_covariance_state_3d>"
           "<time_previous_time_state><time>2</time><previous_time>1</previous_time>"
           "</time_previous_time_state>"
           "<missed_detection_count_state><count>2</count></missed_detection_count_state>"
           "<last_contact_time_state><last_contact_time>4</last_contact_time></last_contact_time_state>"
           "<contact_state><composite_state/></contact_state>"
           "<m_of_n_state><m>1</m><n>2</n></m_of_n_state>"
           "<str_m_of_n_state><m>1</m><n>2</n><o>0</o></str_m_of_n_state><confirmed_state/>";
}

// Each key in registration order, with a working configuration.
struct KeyCase {
    std::string key;
    std::string children;
    bool on_contact;  // sensors act on a contact referring to the truth
};

std::vector<KeyCase> key_cases() {
    std::vector<KeyCase> c;
    auto add = [&c](std::string key, std::string children, bool contact = false) {
        c.push_back({std::move(key), std::move(children), contact});
    };
    add("composite_simulator", "<gps_id_labeler/>");
    add("track_labeler", "<first_id>1</first_id>");
    add("gps_id_labeler", "");
    add("gps_track_labeler", "");
    add("radar_emission_state_simulator", "");
    add("const_state_inserter", "<color_state>blue</color_state>");
    add("xml_state_inserter", "<figure_state>3</figure_state>");
    for (int n = 1; n <= 3; ++n) add("mou_steady_state_simulator_" + d(n), mou_process(n));
    for (int n = 1; n <= 3; ++n) add("mou_simulator_" + d(n), mou_process(n) + "<dt>1</dt>");
    for (int n = 1; n <= 3; ++n) add("ou_steady_state_simulator_" + d(n), ou_process(n));
    for (int n = 1; n <= 3; ++n) add("ou_simulator_" + d(n), ou_process(n) + "<dt>1</dt>");
    for (int n = 1; n <= 4; ++n) add("ou_gaussian_feature_steady_state_simulator_" + d(n), ou_process(n));
    add("ou_gaussian_feature_vector_steady_state_simulator", ou_process(1) + "<size>2</size>");
    for (int n = 1; n <= 4; ++n)
        add("ou_gaussian_feature_simulator_" + d(n), ou_process(n) + "<dt>1</dt>");
    add("ou_gaussian_feature_vector_simulator", ou_process(1) + "<size>2</size><dt>1</dt>");
    add("probabilistic_simulator",
        "<distribution><a><weight>1</weight><simulator><gps_id_labeler/></simulator></a>"
        "</distribution>");

    for (const char* kind : {"position_state_", "position_velocity_state_"})
        for (int n = 1; n <= 3; ++n)
            add(kind + d(n) + "_position_sensor", element("covariance", identity(n)), true);
    for (int n = 1; n <= 4; ++n)
        add("gaussian_feature_state_sensor_" + d(n), element("sigma", numbers(n, "1")), true);
    add("gaussian_feature_vector_state_sensor", "<sigma>1 1</sigma>", true);
    for (const char* key :
         {"plotter_point_state_eraser_2d", "plotter_covariance_state_eraser_2d",
          "plotter_point_state_eraser_3d", "plotter_covariance_state_eraser_3d",
          "time_previous_time_state_eraser", "missed_detection_count_state_eraser",
          "last_contact_time_state_eraser", "contact_state_eraser", "m_of_n_state_eraser",
          "str_m_of_n_state_eraser", "confirmed_state_eraser"})
        add(key, "");

    const std::string axes = "<x_axis>1 0 0</x_axis><y_axis>0 1 0</y_axis>";
    const std::string point = "_to_plotter_point_transformer_";
    const std::string covariance = "_to_plotter_covariance_transformer_";
    for (const char* source : {"position", "position_estimate", "position_velocity_position",
                               "position_velocity_estimate_position"})
        for (int n = 2; n <= 3; ++n) add(source + point + d(n), "");
    add("position_velocity_3d_position" + point + "2d", axes);
    add("position_velocity_3d_velocity" + point + "2d", axes);
    add("position_estimate_3d" + point + "2d", axes);
    for (const char* source :
         {"position_velocity_velocity", "position_velocity_estimate_velocity", "gaussian_feature"})
        for (int n = 2; n <= 3; ++n) add(source + point + d(n), "");
    add("position_velocity_estimate_3d" + point + "2d", axes);
    add("range_theta_phi_estimate" + point + "2d", axes);
    add("theta_phi_estimate" + point + "2d", axes);
    for (const char* source : {"position_estimate", "position_velocity_estimate_position",
                               "position_velocity_estimate_velocity", "gaussian_feature"})
        add(source + covariance + "2d", "");
    for (const char* source : {"position_estimate_3d", "position_velocity_estimate_3d",
                               "range_theta_phi_estimate", "theta_phi_estimate"})
        add(source + covariance + "2d", axes);
    return c;
}

TEST(SimulatorRegistry, HoldsExactlyTheKeysOfTheTable) {
    sim_test::register_all();
    const auto cases = key_cases();
    EXPECT_EQ(cases.size(), 80u);
    for (const auto& c : cases) EXPECT_TRUE(smltr::factory().has(c.key)) << c.key;
    EXPECT_EQ(smltr::factory().size(), cases.size());
}

TEST(SimulatorRegistry, EveryKeyBuildsAndChangesItsTarget) {
    for (const auto& c : key_cases()) {
        SCOPED_TRACE(c.key);
        smltr::SimulatorPtr simulator;
        ASSERT_NO_THROW(simulator = make(element(c.key, c.children)));
        auto truth = composite(all_target_states() + erased_states());
        state::CompositeStatePtr target = truth;
        if (c.on_contact) {
            target = composite("<time_state>1</time_state>");
            target->insert(std::make_shared<const state::TruthState>(truth));
        }
        const std::string before = sim_test::written(*target);
        ASSERT_NO_THROW(simulator->simulate(*target));
        EXPECT_TRUE(sim_test::written(*target) != before) << "the target is unchanged";
    }
}

}  // namespace
