#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "util/factory.h"
#include "util/nearest_names.h"
#include "xml/querier.h"

namespace {

TEST(NearestNames, EditDistanceCountsInsertionsDeletionsAndSubstitutions) {
    EXPECT_EQ(util::edit_distance("", ""), 0u);
    EXPECT_EQ(util::edit_distance("frame_countr", "frame_counter"), 1u);
    EXPECT_EQ(util::edit_distance("kitten", "sitting"), 3u);
    EXPECT_EQ(util::edit_distance("abc", ""), 3u);
}

TEST(NearestNames, SuggestsOnlyCloseNamesNearestFirst) {
    const std::vector<std::string> keys{"frame_writer", "frame_counter", "frame_reader", "terminator"};
    EXPECT_EQ(util::did_you_mean("frame_countr", keys), " (did you mean frame_counter?)");
    EXPECT_EQ(util::did_you_mean("frame_rider", keys), " (did you mean frame_writer or frame_reader?)");
    EXPECT_EQ(util::did_you_mean("kalman", keys), "");
}

TEST(NearestNames, SuggestionsAgreeWithTheFullDistanceForNamesOfAnyLength) {
    // Short cut-offs (length gap, a row beyond the bound) must not change
    // which names are suggested: compared with the full distance on random
    // names over a small alphabet, from empty to far longer than the keys.
    std::mt19937 random(5);
    const auto word = [&](std::size_t length) {
        std::string w;
        for (std::size_t i = 0; i < length; ++i) w += "abc_"[random() % 4];
        return w;
    };
    std::vector<std::string> keys;
    for (int k = 0; k < 40; ++k) keys.push_back(word(3 + random() % 10));
    for (int trial = 0; trial < 300; ++trial) {
        const std::string name = word(trial % 50 == 0 ? 400 : random() % 14);
        const std::size_t farthest = std::max<std::size_t>(2, name.size() / 3);
        std::vector<std::pair<std::size_t, std::size_t>> scored;
        for (std::size_t i = 0; i < keys.size(); ++i)
            if (const std::size_t d = util::edit_distance(name, keys[i]); d <= farthest) scored.emplace_back(d, i);
        std::stable_sort(scored.begin(), scored.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < scored.size() && i < 3; ++i) expected.push_back(keys[scored[i].second]);
        EXPECT_EQ(util::nearest_names(name, keys), expected) << name;
    }
}

int make_int(const xml::Querier&) { return 1; }

TEST(NearestNames, UnknownFactoryKeyNamesTheNearestRegisteredKeys) {
    util::QuerierFactory<util::CountedPtr<int>> factory;
    factory.registerize("frame_counter", [](const xml::Querier& q) { return std::make_shared<int>(make_int(q)); });
    try {
        factory.create(xml::Querier::parse("\n<frame_countr/>"));
        FAIL() << "no exception";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Unknown key: key = frame_countr (did you mean frame_counter?)");
    }
}

}  // namespace
