#include <gtest/gtest.h>

#include <string>

#include "simulation_test_support.h"

namespace {

using sim_test::composite;
using sim_test::make;

// Each eraser key with an element of the kind it removes.
struct EraserCase {
    const char* key;
    const char* state;
};

const EraserCase eraser_cases[] = {
    {"plotter_point_state_eraser_2d", "<plotter_point_state_2d><point>1 2</point></plotter_point_state_2d>"},
    {"plotter_covariance_state_eraser_2d",
     "<plotter_covariance_state_2d><covariance>1 0 0 1</covariance></plotter_covariance_state_2d>"},
    {"plotter_point_state_eraser_3d", "<plotter_point_state_3d><point>1 2 3</point></plotter_point_state_3d>"},
    {"plotter_covariance_state_eraser_3d",
     "<plotter_covariance_state_3d><covariance>1 0 0 0 1 0 0 0 1</covariance>"
     "</plotter_covariance_state_3d>"},
    {"time_previous_time_state_eraser",
     "<time_previous_time_state><time>2</time><previous_time>1</previous_time></time_previous_time_state>"},
    {"missed_detection_count_state_eraser",
     "<missed_detection_count_state><count>2</count></missed_detection_count_state>"},
    {"last_contact_time_state_eraser",
     "<last_contact_time_state><last_contact_time>4</last_contact_time></last_contact_time_state>"},
    {"contact_state_eraser", "<contact_state><composite_state/></contact_state>"},
    {"m_of_n_state_eraser", "<m_of_n_state><m>1</m><n>2</n></m_of_n_state>"},
    {"str_m_of_n_state_eraser", "<str_m_of_n_state><m>1</m><n>2</n><o>0</o></str_m_of_n_state>"},
    {"confirmed_state_eraser", "<confirmed_state/>"},
};

// States that no eraser above removes, kept around the erased one.
const std::string bystanders =
    "<time_state>5</time_state><track_label_state><label><src>1</src><id>2</id></label>"
    "</track_label_state>";

TEST(StateEraser, RemovesItsKindAndNothingElse) {
    for (const auto& c : eraser_cases) {
        auto eraser = make(std::string("<") + c.key + "/>");
        auto target = composite(bystanders + c.state);
        const std::string expected = sim_test::written(*composite(bystanders));
        ASSERT_EQ(target->size(), 3u) << c.key;
        eraser->simulate(*target);
        EXPECT_EQ(sim_test::written(*target), expected) << c.key;
    }
}

TEST(StateEraser, LeavesACompositeWithoutItsKindUnchanged) {
    for (const auto& c : eraser_cases) {
        auto eraser = make(std::string("<") + c.key + "/>");
        auto target = composite(bystanders);
        const std::string before = sim_test::written(*target);
        eraser->simulate(*target);
        EXPECT_EQ(sim_test::written(*target), before) << c.key;
        state::CompositeState empty;
        eraser->simulate(empty);
        EXPECT_TRUE(empty.empty()) << c.key;
    }
}

}  // namespace
