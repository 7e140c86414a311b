#include "app/progress_reporter.h"

#include <chrono>
#include <cmath>
#include <cstdio>

namespace app {

namespace {

// Pace of the output: a terminal line is redrawn at most ten times a
// second; a log gets a line every half minute.
constexpr double kRedrawInterval = 0.1;
constexpr double kPlainLineInterval = 30.0;

std::string fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string rate_text(double frames, double seconds) {
    const double rate = frames / seconds;
    return fixed(rate, rate < 10 ? 2 : 1) + " frames/s";
}

}  // namespace

double ProgressReporter::steady_seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

ProgressReporter::ProgressReporter(std::ostream& out, Style style, std::optional<std::size_t> total_frames,
                                   Clock clock)
    : out_(out), style_(style), total_(total_frames), clock_(std::move(clock)) {
    start_ = clock_();
    last_shown_ = start_;
}

std::string ProgressReporter::status() const {
    std::string text = "frame " + std::to_string(done_);
    if (total_) text += "/" + std::to_string(*total_);
    const double seconds = elapsed();
    if (seconds > 0 && done_ > 0) {
        text += ", " + rate_text(static_cast<double>(done_), seconds);
        // ETA = frames left / mean rate so far
        if (total_ && *total_ >= done_)
            text += ", ETA " + format_duration(static_cast<double>(*total_ - done_) * seconds / done_);
    }
    return text;
}

void ProgressReporter::frame_done() {
    ++done_;
    const double now = clock_();
    const double interval = style_ == Style::updating_line ? kRedrawInterval : kPlainLineInterval;
    if (now - last_shown_ < interval) return;
    last_shown_ = now;
    if (style_ == Style::updating_line) {
        out_ << "\r" << status() << "\033[K" << std::flush;
        line_open_ = true;
    } else {
        out_ << "progress: " << status() << std::endl;
    }
}

void ProgressReporter::finish(bool clean) {
    if (!clean) {
        if (line_open_) out_ << std::endl;
        line_open_ = false;
        return;
    }
    const double seconds = elapsed();
    std::string summary = "processed " + std::to_string(done_) + (done_ == 1 ? " frame" : " frames") + " in " +
                          format_duration(seconds);
    if (seconds > 0 && done_ > 0) summary += " (" + rate_text(static_cast<double>(done_), seconds) + ")";
    if (style_ == Style::updating_line) out_ << "\r" << summary << "\033[K" << std::endl;
    else out_ << summary << std::endl;
    line_open_ = false;
}

std::string format_duration(double seconds) {
    if (!(seconds >= 0) || !std::isfinite(seconds)) return "?";
    if (seconds < 10) return fixed(seconds, 1) + " s";
    const long whole = std::lround(seconds);
    if (whole < 60) return std::to_string(whole) + " s";
    auto two_digits = [](long value) { return (value < 10 ? "0" : "") + std::to_string(value); };
    if (whole < 3600) return std::to_string(whole / 60) + " min " + two_digits(whole % 60) + " s";
    const long minutes = (whole + 30) / 60;
    return std::to_string(minutes / 60) + " h " + two_digits(minutes % 60) + " min";
}

}  // namespace app
