// Every state key declares its element: --describe explains it, a misspelt
// child is reported with the nearest known name, and a bad number names the
// key, the element and the text. (That every written form reads back under
// --strict is checked key by key in state_forms_test.cpp.)
#include <gtest/gtest.h>

#include "config/catalogue.h"
#include "model/fusion/frequency_footprint_state.h"
#include "model/states/gaussian_feature_vector_state.h"
#include "model/state_registry.h"
#include "state_test_support.h"
#include "xml/strictness.h"

namespace {

using state_test::read;
using state_test::written;

// Strict mode for the lifetime of the guard.
struct Strict {
    Strict() { xml::set_strict_mode(true); }
    ~Strict() { xml::set_strict_mode(false); }
};

// The message of what `attempt` throws, or "" when it throws nothing.
template <class Attempt>
std::string failure_of(Attempt attempt) {
    try {
        attempt();
    } catch (const std::exception& error) {
        return error.what();
    }
    return "";
}

TEST(StateDeclarations, EveryRegisteredKeyIsDescribed) {
    state_test::register_all();
    for (const state::StateKey& k : state::state_keys()) {
        const std::string text = config::describe_key(k.key);
        EXPECT_EQ(text.rfind(k.key + ": ", 0), 0u) << text;
        EXPECT_EQ(text.find("no parameter description"), std::string::npos) << text;
    }
}

// Each description names the children its key's written form holds.
TEST(StateDeclarations, DescriptionsNameTheWrittenChildren) {
    struct Described {
        std::string key;
        std::vector<std::string> children;
    };
    const std::vector<Described> cases{
        {"esm_contact", {"bearing_sigma", "mode_distribution", "esm_feature_contact", "transition_rate",
                         "homogenized_position_contact"}},
        {"theta_phi_estimate_state", {"sigmas", "sensor_position", "range_interval"}},
        {"position_velocity_estimate_state_3d_footprint_state", {"footprint_3d"}},
        {"frequency_footprint_state", {"frequency_interval", "min", "max"}},
        {"platform_type_distribution_state", {"dim", "distribution"}},
        {"platform_type_distribuion_state", {"distribution"}},
        {"gaussian_feature_vector_state", {"size", "mean", "sigma"}},
        {"image_sensor_state", {"position", "detection_probability"}},
    };
    state_test::register_all();
    for (const Described& c : cases) {
        const std::string text = config::describe_key(c.key);
        for (const std::string& child : c.children) EXPECT_NE(text.find(child), std::string::npos) << text;
    }
}

// The element read as by default, with what it warned on standard output.
struct Lenient {
    state::StatePtr state;
    std::string warning;
};
Lenient read_leniently(const std::string& element) {
    testing::internal::CaptureStdout();
    Lenient result;
    try {
        result.state = read(element);
    } catch (...) {
        testing::internal::GetCapturedStdout();
        throw;
    }
    result.warning = testing::internal::GetCapturedStdout();
    return result;
}

// The message of reading the element under --strict, or "" when it reads.
std::string strict_failure(const std::string& element) {
    Strict strict;
    return failure_of([&] { read(element); });
}

TEST(StateDeclarations, AMisspeltChildIsAWarningNamingTheNearestChildAndAnErrorWhenStrict) {
    const std::string element =
        "<frequency_footprint_state><frequency_interval><min>1</min><max>2</max></frequency_interval>"
        "<frequency_intervall><min>3</min><max>4</max></frequency_intervall></frequency_footprint_state>";
    const Lenient lenient = read_leniently(element);
    EXPECT_NE(lenient.warning.find("frequency_intervall; did you mean frequency_interval?"), std::string::npos)
        << lenient.warning;
    EXPECT_EQ(lenient.state->cast<fusion::FrequencyFootprintState>().bands.size(), 1u);

    const std::string refused = strict_failure(element);
    EXPECT_NE(refused.find("frequency_footprint_state has no element frequency_intervall"), std::string::npos)
        << refused;
}

struct Malformed {
    std::string element;
    std::vector<std::string> named;  // key, element and bad text the message names
};

TEST(StateDeclarations, BadNumbersAreRefusedNamingKeyElementAndText) {
    const std::vector<Malformed> cases{
        {"<gps_3d_contact><time>1</time><gps_id>x17</gps_id><platform_type>2</platform_type>"
         "<position>1 2 3</position><sigma>5</sigma></gps_3d_contact>",
         {"gps_3d_contact", "gps_id", "x17"}},
        {"<esm_contact><time>4</time><position>1 2 3</position><min_range>0</min_range><max_range>9</max_range>"
         "<bearing>6</bearing><bearing_sigma>1</bearing_sigma><mode_distribution dim=\"1\">1</mode_distribution>"
         "<esm_waveform_contact><esm_feature_contact><id>1</id><mean>two</mean><variance>1</variance>"
         "<support>1</support><transition_rate>0</transition_rate></esm_feature_contact></esm_waveform_contact>"
         "</esm_contact>",
         {"esm_contact", "esm_waveform_contact/esm_feature_contact/mean", "two"}},
        {"<radar_contact><time>2</time><sensor_position>0 0 0</sensor_position><r_theta_phi>50 180 45</r_theta_phi>"
         "<sigmas>1 -2 3</sigmas></radar_contact>",
         {"radar_contact", "sigma", "-2"}},
        {"<theta_phi_estimate_state><time>1</time><mean>30 -10</mean><sigmas>2 inf</sigmas>"
         "<sensor_position>1 2 3</sensor_position><range_interval><open_interval>0 9</open_interval>"
         "</range_interval></theta_phi_estimate_state>",
         {"theta_phi_estimate_state", "sigmas", "2 inf"}},
        {"<gaussian_feature_vector_state><time>1</time><size>3</size><mean>1 2</mean><sigma>1 1 1</sigma>"
         "</gaussian_feature_vector_state>",
         {"gaussian_feature_vector_state", "mean", "1 2"}},
        {"<platform_type_distribution_state dim=\"2\">0.5 half</platform_type_distribution_state>",
         {"platform_type_distribution_state", "0.5 half"}},
        {"<radar_emission_estimate_state><time>1</time><normal><mean>9400</mean><covariance>-inf</covariance>"
         "</normal></radar_emission_estimate_state>",
         {"radar_emission_estimate_state", "normal/covariance", "-inf"}},
    };
    for (const Malformed& c : cases) {
        SCOPED_TRACE(c.element);
        const std::string message = failure_of([&] { read(c.element); });
        ASSERT_FALSE(message.empty()) << "accepted";
        for (const std::string& part : c.named) EXPECT_NE(message.find(part), std::string::npos) << message;
    }
}

TEST(StateDeclarations, TextAfterANumberIsRefusedWhenStrict) {
    const std::string element =
        "<esm_sensor_state_1><position>1 2 3</position><detection_probability>0.5abc</detection_probability>"
        "</esm_sensor_state_1>";
    EXPECT_NE(read_leniently(element).state, nullptr);
    const std::string message = strict_failure(element);
    for (const char* part : {"esm_sensor_state_1", "detection_probability", "0.5abc"})
        EXPECT_NE(message.find(part), std::string::npos) << message;
}

TEST(StateDeclarations, NumbersBeyondTheVectorSizeAreDroppedWithAWarningAndRefusedWhenStrict) {
    const std::string element =
        "<gaussian_feature_vector_state><time>1</time><size>2</size><mean>1 2 3</mean><sigma>1 1</sigma>"
        "</gaussian_feature_vector_state>";
    const Lenient lenient = read_leniently(element);
    EXPECT_NE(lenient.warning.find("mean of gaussian_feature_vector_state is ignored: \"3\""), std::string::npos)
        << lenient.warning;
    EXPECT_EQ(lenient.state->cast<state::GaussianFeatureVectorState>().size(), 2);
    EXPECT_NE(strict_failure(element).find("gaussian_feature_vector_state"), std::string::npos);
}

}  // namespace
