// The registration order of the state keys and the duplicate-key rule.
#include <gtest/gtest.h>

#include "support/expect_message.h"

#include <vector>

#include "model/state_registry.h"
#include "state_test_support.h"

namespace {

std::vector<std::string> listed_keys() {
    std::vector<std::string> keys;
    for (const state::StateKey& k : state::state_keys()) keys.push_back(k.key);
    return keys;
}

TEST(StateRegistry, BeginsWithLastContactTimeAndEndsWithThePlotterKeys) {
    const std::vector<std::string> keys = listed_keys();
    ASSERT_GE(keys.size(), 6u);
    EXPECT_EQ(keys.front(), "last_contact_time_state");
    const std::vector<std::string> last(keys.end() - 6, keys.end());
    EXPECT_EQ(last, (std::vector<std::string>{"plotter_point_state_2d", "plotter_point_state_3d",
                                              "plotter_covariance_state_2d", "plotter_covariance_state_3d",
                                              "figure_state", "color_state"}));
}

TEST(StateRegistry, FillsAFactoryWithEveryKey) {
    state::StateFactory fresh;
    testing::internal::CaptureStdout();
    state::register_states(fresh);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(fresh.size(), state::state_keys().size());
    for (const std::string& key : listed_keys()) EXPECT_TRUE(fresh.has(key)) << key;
}

TEST(StateRegistry, RegisteringAgainFailsNamingTheKeyAndKeepsTheFirstCreator) {
    state::StateFactory fresh;
    auto first = [](const xml::Querier&) -> util::CountedPtr<state::State> { return nullptr; };
    fresh.registerize("time_state", first);
    EXPECT_MESSAGE(state::register_states(fresh),
                   "QuerierFactory::registerize failed, key already exists: key = time_state");
    EXPECT_EQ(fresh.create(state_test::parse("<time_state>1</time_state>")), nullptr);
}

}  // namespace
