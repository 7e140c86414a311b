#include <gtest/gtest.h>

#include "support/expect_message.h"
#include "tracker/report_test_support.h"
#include "tracker/structural_filters.h"

namespace {

using report_test::parse;
using report_test::trace_of;
using report_test::xml_of;

class StructuralFilters : public ::testing::Test {
protected:
    void SetUp() override { report_test::register_keys(); }

    ostrel::FilterPtr build(const std::string& element) {
        return ostrel::filter_factory().create(parse(element));
    }
    // Runs one pass of `filter` on a fresh track state of label (0, 1).
    ostrel::TrackState run(const ostrel::Filter& filter) {
        ostrel::TrackState track(state::Label{0, 1});
        filter.update(*report_test::contact({0, 1}, "c"), track);
        return track;
    }
};

TEST_F(StructuralFilters, CompositeAppliesItsMembersInDocumentOrderOnTheSameTrack) {
    ostrel::FilterPtr filter = build(
        "<composite><append_mark><mark>a</mark></append_mark><take_contact_trace/>"
        "<score><amount>1.5</amount></score><append_mark><mark>b</mark></append_mark>"
        "<score><amount>-0.25</amount></score></composite>");
    ostrel::TrackState track = run(*filter);
    // Each member saw what the earlier ones inserted, and scores add up.
    EXPECT_EQ(trace_of(track.states), "acb");
    EXPECT_DOUBLE_EQ(track.log_likelihood, 1.25);
    EXPECT_TRUE(track.gates);
}

TEST_F(StructuralFilters, NestedCompositesKeepTheOrderOfTheirMembers) {
    ostrel::FilterPtr filter = build(
        "<composite><append_mark><mark>1</mark></append_mark>"
        "<composite><append_mark><mark>2</mark></append_mark><append_mark><mark>3</mark></append_mark></composite>"
        "<append_mark><mark>4</mark></append_mark></composite>");
    EXPECT_EQ(trace_of(run(*filter).states), "1234");
}

TEST_F(StructuralFilters, EmptyCompositeAndNoOpLeaveTheTrackUntouched) {
    for (const char* element : {"<composite/>", "<no_op/>"}) {
        SCOPED_TRACE(element);
        ostrel::TrackState track = run(*build(element));
        EXPECT_EQ(track.states.size(), 1u);  // only the track label
        EXPECT_EQ(track.log_likelihood, 0.0);
        EXPECT_TRUE(track.gates);
    }
}

TEST_F(StructuralFilters, WrittenFormsAreEmptyForCompositeAndEmptyElementsForNoOpAndBadOp) {
    EXPECT_EQ(xml_of(*build("<composite><no_op/></composite>")), "");
    EXPECT_EQ(xml_of(ostrel::NoOp()), "<no_op/>\n");
    EXPECT_EQ(xml_of(ostrel::BadOp()), "<bad_op/>\n");
}

TEST_F(StructuralFilters, BadOpFailsWhenApplied) {
    EXPECT_MESSAGE(run(*build("<bad_op/>")), "BadOp::update called");
    // Inside a composite it stops the pass at its position.
    EXPECT_MESSAGE(run(*build("<composite><no_op/><bad_op/></composite>")), "BadOp::update called");
}

TEST_F(StructuralFilters, TheBadOpIsOneSharedInstanceWhetherTakenDirectlyOrBuiltFromItsKey) {
    ostrel::FilterPtr shared = ostrel::shared_bad_op();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(ostrel::shared_bad_op(), shared);
    EXPECT_EQ(build("<bad_op/>"), shared);
}

TEST_F(StructuralFilters, CompositeWithAnUnknownMemberKeyFailsNamingTheKey) {
    EXPECT_MESSAGE(build("<composite><no_op/><kalman_thing/></composite>"),
                   "Unknown key: key = kalman_thing");
}

TEST_F(StructuralFilters, CompositeRejectsANullMember) {
    EXPECT_MESSAGE(ostrel::CompositeFilter({std::make_shared<ostrel::NoOp>(), nullptr}),
                   "CompositeFilter: null member filter");
}

}  // namespace
