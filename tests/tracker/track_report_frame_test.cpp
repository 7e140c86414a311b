#include <gtest/gtest.h>

#include "model/track_label_state.h"
#include "support/expect_message.h"
#include "tracker/association_frame.h"
#include "tracker/report_test_support.h"
#include "tracker/structural_filters.h"
#include "tracker/track_report_frame.h"
#include "xml/strictness.h"

namespace {

using frame::TrackReportFrame;
using ostrel::TrackReport;
using report_test::parse;
using report_test::trace_of;
using report_test::xml_of;

ostrel::FilterPtr mark(const std::string& text) { return std::make_shared<report_test::AppendMark>(text); }

class TrackReportFrames : public ::testing::Test {
protected:
    void SetUp() override { report_test::register_keys(); }

    util::CountedPtr<frame::Frame> read_frame(const std::string& element) {
        return frame::factory().create(parse(element));
    }
};

TEST_F(TrackReportFrames, WithoutCoastOrKillerOnlyTimeAndReportsAreWrittenAndTheZombieNever) {
    TrackReportFrame frame(2.5);
    frame.zombie_track_report =
        std::make_shared<TrackReport>(std::make_shared<state::CompositeState>(), mark("Z"), nullptr, nullptr);
    EXPECT_EQ(xml_of(frame),
              "<track_report_frame>\n"
              "  <time>2.5</time>\n"
              "  <track_reports/>\n"
              "</track_report_frame>\n");
}

TEST_F(TrackReportFrames, FrameLevelReportsComeBeforeTheContactReportsInListOrder) {
    TrackReportFrame frame(1);
    auto meta = std::make_shared<state::CompositeState>();
    frame.coast_track_report = std::make_shared<TrackReport>(meta, mark("coast"), nullptr, nullptr);
    frame.killer_track_report = std::make_shared<TrackReport>(meta, mark("kill"), nullptr, nullptr);
    frame.zombie_track_report = std::make_shared<TrackReport>(meta, mark("zombie"), nullptr, nullptr);
    for (int id : {5, 2, 9})
        frame.track_reports.push_back(std::make_shared<TrackReport>(
            report_test::contact({0, id}, "c" + std::to_string(id)), nullptr, nullptr, nullptr));
    const std::string written = xml_of(frame);
    const std::size_t coast = written.find("<coast_track_report>\n    <track_report>");
    const std::size_t killer = written.find("<killer_track_report>\n    <track_report>");
    const std::size_t reports = written.find("<track_reports>");
    ASSERT_NE(coast, std::string::npos) << written;
    ASSERT_NE(killer, std::string::npos) << written;
    EXPECT_LT(coast, killer);
    EXPECT_LT(killer, reports);
    EXPECT_LT(written.find("c5"), written.find("c2"));
    EXPECT_LT(written.find("c2"), written.find("c9"));
    EXPECT_GT(written.find("c5"), reports);
    EXPECT_EQ(written.find("zombie"), std::string::npos);
}

TEST_F(TrackReportFrames, AWrittenFrameReadsBackThroughTheFrameFactoryUnchanged) {
    auto frame = std::make_shared<TrackReportFrame>(3.25);
    auto meta = report_test::contact({-1, 0}, "meta");
    frame->coast_track_report = std::make_shared<TrackReport>(meta, mark("coast"), ostrel::shared_bad_op(),
                                                              ostrel::shared_bad_op());
    frame->killer_track_report = std::make_shared<TrackReport>(meta, std::make_shared<ostrel::NoOp>(),
                                                               ostrel::shared_bad_op(), ostrel::shared_bad_op());
    for (int id : {1, 0}) {
        auto report = std::make_shared<TrackReport>(report_test::contact({0, id}, "c"), mark("U"),
                                                    mark("C"), mark("I"));
        if (id == 1) report->initialize();
        frame->track_reports.push_back(report);
    }
    const std::string written = xml_of(*frame);

    util::CountedPtr<frame::Frame> read_back = read_frame(written);
    ASSERT_TRUE(read_back->is<TrackReportFrame>());
    const auto& copy = read_back->cast<TrackReportFrame>();
    EXPECT_EQ(copy.time, 3.25);
    ASSERT_EQ(copy.track_reports.size(), 2u);
    EXPECT_EQ(copy.track_reports[0]->contact_label(), (state::Label{0, 1}));
    EXPECT_NE(copy.track_reports[0]->track_state, nullptr);
    EXPECT_EQ(copy.track_reports[1]->track_state, nullptr);
    EXPECT_EQ(trace_of(*copy.coast_track_report->contact), "meta");
    EXPECT_EQ(copy.coast_track_report->initializer, ostrel::shared_bad_op());
    EXPECT_EQ(copy.zombie_track_report, nullptr);
    EXPECT_EQ(xml_of(copy), written);
}

TEST_F(TrackReportFrames, TheHandWrittenCoastFormTakesItsStatesAndMakesTheirLabelATrackLabel) {
    util::CountedPtr<frame::Frame> read_back = read_frame(
        "<track_report_frame><time>4</time>"
        "<coast_track_report><contact><trace_state>m</trace_state>"
        "<frame_label_state><label><src>2</src><id>8</id></label></frame_label_state></contact>"
        "</coast_track_report><track_reports/></track_report_frame>");
    const auto& frame = read_back->cast<TrackReportFrame>();
    const TrackReport& coast = *frame.coast_track_report;
    EXPECT_EQ(trace_of(*coast.contact), "m");
    EXPECT_EQ(coast.contact_label(), (state::Label{2, 8}));
    EXPECT_NE(xml_of(*coast.contact).find("<track_label_state>"), std::string::npos);
    EXPECT_EQ(coast.updater, nullptr);
    EXPECT_EQ(coast.continuation_updater, nullptr);
    EXPECT_EQ(coast.initializer, nullptr);
    EXPECT_EQ(frame.killer_track_report, nullptr);
    EXPECT_TRUE(frame.track_reports.empty());
}

TEST_F(TrackReportFrames, ACoastContactWithoutLabelReadsWithoutOne) {
    util::CountedPtr<frame::Frame> read_back = read_frame(
        "<track_report_frame><time>0</time><coast_track_report><contact><trace_state>m</trace_state>"
        "</contact></coast_track_report><track_reports/></track_report_frame>");
    const TrackReport& coast = *read_back->cast<TrackReportFrame>().coast_track_report;
    EXPECT_EQ(coast.contact->size(), 1u);
    EXPECT_EQ(trace_of(*coast.contact), "m");
}

TEST_F(TrackReportFrames, AFrameWithoutTrackReportsFailsNamingTheElement) {
    try {
        read_frame("<track_report_frame><time>0</time></track_report_frame>");
        ADD_FAILURE() << "no exception";
    } catch (const std::exception& error) {
        EXPECT_EQ(std::string(error.what()).rfind("Tag::tag failed, key not found: key = track_reports ", 0), 0u)
            << error.what();
    }
}

TEST_F(TrackReportFrames, AMisspeltReportElementIsNamedAndRefusedWhenStrict) {
    const std::string text =
        "<track_report_frame><time>1</time><killer_track_reports><contact/></killer_track_reports>"
        "<track_reports/></track_report_frame>";
    testing::internal::CaptureStdout();
    EXPECT_EQ(read_frame(text)->cast<TrackReportFrame>().killer_track_report, nullptr);
    const std::string warning = testing::internal::GetCapturedStdout();
    EXPECT_NE(warning.find("killer_track_reports; did you mean killer_track_report?"), std::string::npos) << warning;
    xml::set_strict_mode(true);
    EXPECT_MESSAGE_STARTS(read_frame(text), "track_report_frame has no element killer_track_reports");
    xml::set_strict_mode(false);
}

TEST_F(TrackReportFrames, ABadTimeNamesTheFrameAndTheText) {
    try {
        read_frame("<track_report_frame><time>soon</time><track_reports/></track_report_frame>");
        ADD_FAILURE() << "no exception";
    } catch (const std::exception& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("track_report_frame: time must be a number"), std::string::npos) << message;
        EXPECT_NE(message.find("soon"), std::string::npos) << message;
    }
}

class AssociationFrames : public TrackReportFrames {};

// The lists and counts the frame writes are part of its declared form, so
// what it writes reads back even under --strict, keeping only the time.
TEST_F(AssociationFrames, AWrittenFrameReadsBackStrictlyKeepingOnlyItsTime) {
    frame::AssociationFrame frame(4.25);
    auto a = std::make_shared<state::CompositeState>();
    a->insert(std::make_shared<const report_test::TraceState>("a"));
    frame.localization_error_sum = 3;
    frame.state_list0 = {a};
    frame.state_list1 = {a};
    frame.association_list.push_back({a, a, 1.5});
    xml::set_strict_mode(true);
    util::CountedPtr<frame::Frame> read_back;
    try {
        read_back = read_frame(xml_of(frame));
    } catch (const std::exception& error) {
        ADD_FAILURE() << error.what();
    }
    xml::set_strict_mode(false);
    ASSERT_NE(read_back, nullptr);
    const auto& copy = read_back->cast<frame::AssociationFrame>();
    EXPECT_EQ(copy.time, 4.25);
    EXPECT_EQ(copy.localization_error_sum, 0.0);
    EXPECT_TRUE(copy.association_list.empty());
}

TEST_F(AssociationFrames, EmptyListsWriteZeroCountsAndEmptyElements) {
    frame::AssociationFrame frame(1.5);
    frame.localization_error_sum = 0.75;
    EXPECT_EQ(xml_of(frame),
              "<association_frame>\n"
              "  <time>1.5</time>\n"
              "  <localization_error_sum>0.75</localization_error_sum>\n"
              "  <association_list_size>0</association_list_size>\n"
              "  <state_list0>0</state_list0>\n"
              "  <state_list1>0</state_list1>\n"
              "  <state_list0/>\n"
              "  <state_list1/>\n"
              "  <association_list/>\n"
              "</association_frame>\n");
}

TEST_F(AssociationFrames, EntriesAreWrittenWithCountsListsAndScoredPairs) {
    frame::AssociationFrame frame(2);
    auto a = std::make_shared<state::CompositeState>();
    a->insert(std::make_shared<const report_test::TraceState>("a"));
    auto b = std::make_shared<state::CompositeState>();
    b->insert(std::make_shared<const report_test::TraceState>("b"));
    frame.state_list0 = {a, a};
    frame.state_list1 = {b};
    frame.association_list.push_back({a, b, -3.5});
    EXPECT_EQ(xml_of(frame),
              "<association_frame>\n"
              "  <time>2</time>\n"
              "  <localization_error_sum>0</localization_error_sum>\n"
              "  <association_list_size>1</association_list_size>\n"
              "  <state_list0>2</state_list0>\n"
              "  <state_list1>1</state_list1>\n"
              "  <state_list0>\n"
              "    <composite_state>\n"
              "      <trace_state>a</trace_state>\n"
              "    </composite_state>\n"
              "    <composite_state>\n"
              "      <trace_state>a</trace_state>\n"
              "    </composite_state>\n"
              "  </state_list0>\n"
              "  <state_list1>\n"
              "    <composite_state>\n"
              "      <trace_state>b</trace_state>\n"
              "    </composite_state>\n"
              "  </state_list1>\n"
              "  <association_list>\n"
              "    <association>\n"
              "      <score>-3.5</score>\n"
              "      <state0>\n"
              "        <composite_state>\n"
              "          <trace_state>a</trace_state>\n"
              "        </composite_state>\n"
              "      </state0>\n"
              "      <state1>\n"
              "        <composite_state>\n"
              "          <trace_state>b</trace_state>\n"
              "        </composite_state>\n"
              "      </state1>\n"
              "    </association>\n"
              "  </association_list>\n"
              "</association_frame>\n");
}

TEST_F(AssociationFrames, ReadingFillsOnlyTheTime) {
    util::CountedPtr<frame::Frame> read_back = read_frame(
        "<association_frame><time>6</time><localization_error_sum>9</localization_error_sum>"
        "<association_list_size>1</association_list_size></association_frame>");
    const auto& frame = read_back->cast<frame::AssociationFrame>();
    EXPECT_EQ(frame.time, 6.0);
    EXPECT_EQ(frame.localization_error_sum, 0.0);
    EXPECT_TRUE(frame.state_list0.empty());
    EXPECT_TRUE(frame.state_list1.empty());
    EXPECT_TRUE(frame.association_list.empty());
    EXPECT_MESSAGE_STARTS(read_back->cast<TrackReportFrame>(), "Frame::cast()");
}

}  // namespace
