#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "model/composite_state_frame.h"
#include "pipeline/prefetch.h"
#include "pipeline/thread_budget.h"
#include "support/recorder.h"
#include "util/exception.h"

namespace {

// Records frames like a Recorder, noting the thread, and fails on the
// frame whose time is `fail_at`.
class Stage : public test_support::Recorder {
public:
    explicit Stage(double fail_at = -1) : fail_at_(fail_at) {}
    void push_frame(cmpnt::FramePtr frame) override {
        threads.push_back(std::this_thread::get_id());
        if (frame && frame->time == fail_at_) throw util::Exception("stage failed at frame " + std::to_string(static_cast<int>(fail_at_)));
        Recorder::push_frame(std::move(frame));
    }
    std::vector<std::thread::id> threads;

private:
    double fail_at_;
};

cmpnt::FramePtr frame_at(double time) { return std::make_shared<frame::CompositeStateFrame>(time); }

std::vector<double> times(const test_support::Recorder& recorder) {
    std::vector<double> result;
    for (const auto& frame : recorder.frames) result.push_back(frame ? frame->time : -1.0);
    return result;
}

TEST(Prefetch, FramesArriveInOrderWithOneEndMarkOnEitherSide) {
    for (int threads : {1, 2}) {
        auto stage = std::make_shared<Stage>();
        cmpnt::Prefetch prefetch(1, threads);
        prefetch.insert_child(stage);
        for (int t = 0; t < 50; ++t) prefetch.push_frame(frame_at(t));
        prefetch.push_frame(nullptr);
        std::vector<double> expected;
        for (int t = 0; t < 50; ++t) expected.push_back(t);
        expected.push_back(-1.0);
        EXPECT_EQ(times(*stage), expected) << threads << " threads";
        const bool other_thread = stage->threads.front() != std::this_thread::get_id();
        EXPECT_EQ(other_thread, threads > 1);
    }
}

TEST(Prefetch, DownstreamFailureReachesThePushingThread) {
    auto stage = std::make_shared<Stage>(3);
    cmpnt::Prefetch prefetch(2, 2);
    prefetch.insert_child(stage);
    std::string message;
    try {
        for (int t = 0; t < 100; ++t) prefetch.push_frame(frame_at(t));
        prefetch.push_frame(nullptr);
    } catch (const util::Exception& error) {
        message = error.what();
    }
    EXPECT_EQ(message, "stage failed at frame 3");
    EXPECT_EQ(times(*stage), (std::vector<double>{0, 1, 2}));
}

TEST(Prefetch, FailureOnTheLastFrameSurfacesAtTheEndOfTheStream) {
    auto stage = std::make_shared<Stage>(4);
    cmpnt::Prefetch prefetch(8, 2);
    prefetch.insert_child(stage);
    // The worker may fail before the last push returns, which then throws;
    // otherwise the end of the stream must. Either way it is not lost.
    EXPECT_THROW(
        {
            for (int t = 0; t < 5; ++t) prefetch.push_frame(frame_at(t));
            prefetch.push_frame(nullptr);
        },
        util::Exception);
}

TEST(Prefetch, UpstreamFailureStillProcessesTheFramesHandedOver) {
    auto stage = std::make_shared<Stage>();
    {
        cmpnt::Prefetch prefetch(4, 2);
        prefetch.insert_child(stage);
        for (int t = 0; t < 3; ++t) prefetch.push_frame(frame_at(t));
        // The source fails here: the stage is destroyed without an end mark.
    }
    EXPECT_EQ(times(*stage), (std::vector<double>{0, 1, 2}));
}

TEST(ThreadBudget, ConfiguredValueThenEnvironmentThenCores) {
    ::unsetenv("OSTREL_THREADS");
    EXPECT_GE(cmpnt::thread_budget(), 1);
    EXPECT_EQ(cmpnt::thread_budget(std::string("3")), 3);
    ::setenv("OSTREL_THREADS", "1", 1);
    EXPECT_EQ(cmpnt::thread_budget(), 1);
    EXPECT_EQ(cmpnt::thread_budget(std::string("2")), 2);
    for (const char* bad : {"0", "two", "2x", "-1", ""}) {
        ::setenv("OSTREL_THREADS", bad, 1);
        if (*bad == '\0') {
            EXPECT_GE(cmpnt::thread_budget(), 1);  // empty: not set
            continue;
        }
        try {
            cmpnt::thread_budget();
            ADD_FAILURE() << bad;
        } catch (const util::Exception& error) {
            EXPECT_EQ(std::string(error.what()),
                      std::string("OSTREL_THREADS must be a whole number from 1 to 1024: OSTREL_THREADS = ") + bad);
        }
    }
    ::unsetenv("OSTREL_THREADS");
}

}  // namespace
