#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "app/progress_reporter.h"
#include "pipeline/source_length.h"

namespace {

using app::ProgressReporter;

// A reporter on a string stream whose clock the test moves.
struct Fixture {
    std::ostringstream out;
    double now = 100;
    ProgressReporter reporter;
    Fixture(ProgressReporter::Style style, std::optional<std::size_t> total)
        : reporter(out, style, total, [this] { return now; }) {}
    void frames(int count, double seconds_each) {
        for (int i = 0; i < count; ++i) {
            now += seconds_each;
            reporter.frame_done();
        }
    }
};

TEST(Progress, TerminalLineIsRedrawnInPlaceWithRateAndTimeToGo) {
    Fixture f(ProgressReporter::Style::updating_line, 40);
    f.frames(10, 0.5);
    EXPECT_EQ(f.reporter.status(), "frame 10/40, 2.00 frames/s, ETA 15 s");
    // Every frame drew the line (half a second apart), each over the last.
    const std::string text = f.out.str(), last = "\rframe 10/40, 2.00 frames/s, ETA 15 s\033[K";
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 10);
    EXPECT_EQ(text.substr(text.size() - last.size()), last);
    EXPECT_EQ(text.find('\n'), std::string::npos);
    f.frames(30, 0.5);
    f.reporter.finish(true);
    EXPECT_EQ(f.out.str().substr(f.out.str().rfind('\r')), "\rprocessed 40 frames in 20 s (2.00 frames/s)\033[K\n");
}

TEST(Progress, TerminalLineIsDrawnAtMostTenTimesASecond) {
    Fixture f(ProgressReporter::Style::updating_line, std::nullopt);
    f.frames(100, 0.01);  // one second of fast frames
    const std::string text = f.out.str();
    const auto draws = std::count(text.begin(), text.end(), '\r');
    EXPECT_GE(draws, 9);
    EXPECT_LE(draws, 10);
}

TEST(Progress, LogsGetPlainLinesEveryHalfMinuteAndNoEtaWithoutALength) {
    Fixture f(ProgressReporter::Style::plain_lines, std::nullopt);
    f.frames(100, 1.0);
    f.reporter.finish(true);
    EXPECT_EQ(f.out.str(),
              "progress: frame 30, 1.00 frames/s\n"
              "progress: frame 60, 1.00 frames/s\n"
              "progress: frame 90, 1.00 frames/s\n"
              "processed 100 frames in 1 min 40 s (1.00 frames/s)\n");
}

TEST(Progress, AnErrorClosesTheTerminalLineAndPrintsNoSummary) {
    Fixture f(ProgressReporter::Style::updating_line, 5);
    f.frames(2, 1.0);
    f.reporter.finish(false);
    EXPECT_EQ(f.out.str().back(), '\n');
    EXPECT_EQ(f.out.str().find("processed"), std::string::npos);

    Fixture quiet(ProgressReporter::Style::plain_lines, 5);
    quiet.frames(2, 1.0);
    quiet.reporter.finish(false);
    EXPECT_EQ(quiet.out.str(), "");
}

TEST(Progress, DurationsReadNaturally) {
    const std::vector<std::pair<double, std::string>> cases = {
        {0.42, "0.4 s"}, {9.96, "10.0 s"}, {12.4, "12 s"}, {125, "2 min 05 s"}, {3725, "1 h 02 min"}, {-1, "?"}};
    for (const auto& [seconds, text] : cases) EXPECT_EQ(app::format_duration(seconds), text) << seconds;
}

TEST(Progress, AnnouncedSourceLengthLastsUntilTheNextRunForgetsIt) {
    cmpnt::forget_source_length();
    EXPECT_FALSE(cmpnt::announced_source_length());
    cmpnt::announce_source_length(40);
    EXPECT_EQ(cmpnt::announced_source_length(), std::optional<std::size_t>(40));
    cmpnt::forget_source_length();
    EXPECT_FALSE(cmpnt::announced_source_length());
}

}  // namespace
