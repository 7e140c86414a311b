#include <gtest/gtest.h>

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
