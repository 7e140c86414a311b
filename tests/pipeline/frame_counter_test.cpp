#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "model/composite_state_frame.h"
#include "pipeline/frame_counter.h"
#include "pipeline/frame_stage_test_support.h"
#include "support/expect_message.h"
#include "util/system_test_support.h"

using test_support::CoutCapture;
using test_support::element;
using test_support::FrameRecorder;

namespace {

cmpnt::FrameCounter counter(int modulo, int max_line_length) {
    return cmpnt::FrameCounter(element("<frame_counter><modulo>" + std::to_string(modulo) +
                                       "</modulo><max_line_length>" + std::to_string(max_line_length) +
                                       "</max_line_length></frame_counter>"));
}

// Pushes `frames` frames and then the end of the stream; returns the output.
std::string run(cmpnt::FrameCounter& stage, int frames) {
    CoutCapture out;
    for (int i = 0; i < frames; ++i) stage.push_frame(std::make_shared<frame::CompositeStateFrame>(i));
    stage.push_frame(nullptr);
    return out.text();
}

TEST(FrameCounter, PrintsEveryCountAndWrapsBeforeTheLineOverflows) {
    // Each count takes its estimated width plus a blank (9 is estimated at
    // three characters); a count that fills the line exactly gets no blank.
    cmpnt::FrameCounter stage = counter(1, 10);
    EXPECT_EQ(run(stage, 12), "1 2 3 4 5\n6 7 8 9 \n10 11 12 \n\n...done, total frame count = 12\n");
}

TEST(FrameCounter, ModuloTenPrintsEveryTenthButTotalsAll) {
    cmpnt::FrameCounter stage = counter(10, 80);
    EXPECT_EQ(run(stage, 35), "10 20 30 \n\n...done, total frame count = 35\n");
}

TEST(FrameCounter, PassesEveryFrameAndTheEndOfStreamOnUnchanged) {
    cmpnt::FrameCounter stage = counter(2, 80);
    auto recorder = std::make_shared<FrameRecorder>();
    stage.insert_child(recorder);
    auto first = std::make_shared<frame::CompositeStateFrame>(1.0);
    auto second = std::make_shared<frame::CompositeStateFrame>(2.0);
    CoutCapture out;
    stage.push_frame(first);
    stage.push_frame(second);
    stage.push_frame(nullptr);
    ASSERT_EQ(recorder->frames.size(), 3u);
    EXPECT_EQ(recorder->frames[0], first);
    EXPECT_EQ(recorder->frames[1], second);
    EXPECT_EQ(recorder->frames[2], nullptr);
}

TEST(FrameCounter, RejectsNonPositiveParameters) {
    struct Case {
        int modulo, max_line_length;
        const char* message;
    };
    const Case cases[] = {
        {0, 80, "frame_counter: modulo must be positive: modulo = 0"},
        {-3, 80, "frame_counter: modulo must be positive: modulo = -3"},
        {1, 0, "frame_counter: max_line_length must be positive: max_line_length = 0"},
    };
    for (const Case& c : cases) EXPECT_MESSAGE(counter(c.modulo, c.max_line_length), c.message);
    EXPECT_MESSAGE(cmpnt::FrameCounter(element("<frame_counter><modulo>x</modulo><max_line_length>8"
                                               "</max_line_length></frame_counter>")),
                   "unable to convert text from tag = modulo (frame_counter: modulo must be an integer: "
                   "modulo = \"x\")");
}

}  // namespace
