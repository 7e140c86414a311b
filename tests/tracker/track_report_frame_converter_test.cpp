#include <gtest/gtest.h>

#include "model/composite_state_frame.h"
#include "model/contact_state.h"
#include "model/track_label_state.h"
#include "support/expect_message.h"
#include "support/recorder.h"
#include "tracker/report_test_support.h"
#include "tracker/track_report_frame.h"
#include "tracker/track_report_frame_to_composite_state_frame_converter.h"

namespace {

using ostrel::TrackReport;
using report_test::trace_of;

class Converter : public ::testing::Test {
protected:
    void SetUp() override {
        report_test::register_keys();
        converter.insert_child(recorder);
    }
    const frame::CompositeStateFrame& only_output() {
        EXPECT_EQ(recorder->frames.size(), 1u);
        return recorder->frames.at(0)->cast<frame::CompositeStateFrame>();
    }

    ostrel::TrackReportFrameToCompositeStateFrameConverter converter;
    std::shared_ptr<test_support::Recorder> recorder = std::make_shared<test_support::Recorder>();
};

TEST_F(Converter, EachReportBecomesItsTrackStatesWithTheReportLabelAndContact) {
    auto input = std::make_shared<frame::TrackReportFrame>(9);
    auto meta = report_test::contact({-1, 0}, "meta");
    input->coast_track_report = std::make_shared<TrackReport>(meta, nullptr, nullptr, nullptr);
    for (int id : {3, 1}) {
        auto report = std::make_shared<TrackReport>(report_test::contact({0, id}, "c"), nullptr, nullptr,
                                                    std::make_shared<report_test::AppendMark>("t"));
        report->initialize();
        // As the tracker reports it: under (tracker id, track number).
        report->relabel({5, 10 + id});
        input->track_reports.push_back(report);
    }
    converter.push_frame(input);

    const auto& output = only_output();
    EXPECT_EQ(output.time, 9.0);
    EXPECT_EQ(output.meta_data->size(), 1u);
    EXPECT_EQ(output.meta_data->get<state::ContactState>().contact, meta);
    ASSERT_EQ(output.composite_states.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const state::CompositeState& track = *output.composite_states[i];
        const TrackReport& report = *input->track_reports[i];
        EXPECT_EQ(track.get<state::TrackLabelState>().label, report.contact_label());
        EXPECT_EQ(track.get<state::ContactState>().contact, report.contact);
        EXPECT_EQ(trace_of(track), "t");
        EXPECT_EQ(track.size(), 3u);
        // The report's own track state is left as it was.
        EXPECT_FALSE(report.track_state->states.has<state::ContactState>());
    }
    EXPECT_EQ(output.composite_states[0]->get<state::TrackLabelState>().label, (state::Label{5, 13}));
    EXPECT_EQ(output.composite_states[1]->get<state::TrackLabelState>().label, (state::Label{5, 11}));
}

TEST_F(Converter, MissingCoastAndTrackStateGiveEmptyMetaDataAndLabelAndContactOnly) {
    auto input = std::make_shared<frame::TrackReportFrame>(0);
    input->track_reports.push_back(
        std::make_shared<TrackReport>(report_test::contact({2, 2}, "c"), nullptr, nullptr, nullptr));
    converter.push_frame(input);
    const auto& output = only_output();
    EXPECT_TRUE(output.meta_data->empty());
    ASSERT_EQ(output.composite_states.size(), 1u);
    EXPECT_EQ(output.composite_states[0]->size(), 2u);
    EXPECT_EQ(output.composite_states[0]->get<state::TrackLabelState>().label, (state::Label{2, 2}));
}

TEST_F(Converter, FailuresAndTheEndOfInput) {
    auto unlabelled = std::make_shared<frame::TrackReportFrame>(0);
    unlabelled->track_reports.push_back(
        std::make_shared<TrackReport>(std::make_shared<state::CompositeState>(), nullptr, nullptr, nullptr));
    EXPECT_MESSAGE_STARTS(converter.push_frame(unlabelled), "State::cast()");
    EXPECT_MESSAGE_STARTS(converter.push_frame(std::make_shared<frame::CompositeStateFrame>(0)), "Frame::cast()");
    EXPECT_TRUE(recorder->frames.empty());

    converter.push_frame(nullptr);
    ASSERT_EQ(recorder->frames.size(), 1u);
    EXPECT_EQ(recorder->frames[0], nullptr);
}

}  // namespace
