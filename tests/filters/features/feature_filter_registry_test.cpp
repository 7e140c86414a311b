#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "filters/features/feature_test_support.h"
#include "support/expect_message.h"

namespace {

using feature_test::build;

std::string ou(int n) {
    std::string values;
    for (int i = 0; i < n; ++i) values += i ? " 1" : "1";
    const std::string key = "ou_process_" + std::to_string(n) + "d";
    return "<" + key + "><center>" + values + "</center><sigma>" + values +
           "</sigma><process_noise>" + values + "</process_noise></" + key + ">";
}
const std::string gated = "<gate>9</gate><filter><no_op/></filter>";

struct KeyCase {
    const char* key;
    std::string parameters;
};

const std::vector<KeyCase>& key_cases() {
    static const std::vector<KeyCase> cases = {
        {"rgb_color_initializer", "<use_score>true</use_score>"},
        {"rgb_color_predictor", "<process_noise>1 1 1</process_noise>"},
        {"rgb_color_updater", "<gate>9</gate><use_score>true</use_score>"},
        {"segment_size_initializer", "<use_score>true</use_score>"},
        {"segment_size_predictor", "<process_noise>1</process_noise>"},
        {"segment_size_updater", "<gate>infinity</gate><use_score>false</use_score>"},
        {"ou_gaussian_feature_state_initializer_1d", ou(1)},
        {"ou_gaussian_feature_state_initializer_2d", ou(2)},
        {"ou_gaussian_feature_state_initializer_3d", ou(3)},
        {"ou_gaussian_feature_state_initializer_4d", ou(4)},
        {"ou_gaussian_feature_state_updater_and_gater_1d", gated},
        {"ou_gaussian_feature_state_updater_and_gater_2d", gated},
        {"ou_gaussian_feature_state_updater_and_gater_3d", gated},
        {"ou_gaussian_feature_state_updater_and_gater_4d", gated},
        {"ou_gaussian_feature_state_predictor_1d", ou(1)},
        {"ou_gaussian_feature_state_predictor_2d", ou(2)},
        {"ou_gaussian_feature_state_predictor_3d", ou(3)},
        {"ou_gaussian_feature_vector_state_initializer", ou(1)},
        {"ou_gaussian_feature_vector_state_updater_and_gater", gated},
        {"ou_gaussian_feature_vector_state_predictor", ou(1)},
    };
    return cases;
}

TEST(FeatureFilterRegistry, HoldsTwentyKeysInTheirTableOrder) {
    const auto& keys = ostrel::feature_filter_keys();
    ASSERT_EQ(keys.size(), key_cases().size());
    for (std::size_t k = 0; k < keys.size(); ++k) EXPECT_EQ(keys[k].key, key_cases()[k].key);
    ostrel::FilterFactory factory;
    ostrel::register_feature_filters(factory);
    EXPECT_EQ(factory.size(), 20u);
    EXPECT_FALSE(factory.has("ou_gaussian_feature_state_predictor_4d"));
}

TEST(FeatureFilterRegistry, EveryKeyBuildsFromAMinimalElement) {
    for (const KeyCase& c : key_cases()) {
        SCOPED_TRACE(c.key);
        const std::string key = c.key;
        EXPECT_NE(build("<" + key + ">" + c.parameters + "</" + key + ">"), nullptr);
    }
}

TEST(FeatureConstructionFailures, EachFailsNamingTheParameterAndValue) {
    struct Case {
        std::string element;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"<ou_gaussian_feature_state_predictor_2d><ou_process_2d><center>0 0</center>"
         "<sigma>1 0</sigma><process_noise>1 1</process_noise></ou_process_2d>"
         "</ou_gaussian_feature_state_predictor_2d>",
         "ou_process_2d: sigma must be positive and finite: sigma[1] = 0 (in "
         "ou_gaussian_feature_state_predictor_2d)"},
        {"<ou_gaussian_feature_vector_state_initializer><ou_process_1d><center>0</center>"
         "<sigma>1</sigma><process_noise>-1</process_noise></ou_process_1d>"
         "</ou_gaussian_feature_vector_state_initializer>",
         "ou_process_1d: process_noise must be non-negative and finite: process_noise[0] = -1 (in "
         "ou_gaussian_feature_vector_state_initializer)"},
        {"<ou_gaussian_feature_state_initializer_3d><ou_process_3d><center>0 inf 0</center>"
         "<sigma>1 1 1</sigma><process_noise>1 1 1</process_noise></ou_process_3d>"
         "</ou_gaussian_feature_state_initializer_3d>",
         "ou_process_3d: center must be finite: center[1] = inf (in ou_gaussian_feature_state_initializer_3d)"},
        {"<rgb_color_predictor><process_noise>1 -2 1</process_noise></rgb_color_predictor>",
         "process_noise must be non-negative and finite: process_noise[1] = -2"},
        {"<segment_size_updater><gate>-1</gate><use_score>true</use_score></segment_size_updater>",
         "gate must be a non-negative number or \"infinity\": gate = -1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_MESSAGE_STARTS(build(c.element), c.message);
    }
}

}  // namespace
