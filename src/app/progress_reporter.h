#pragma once
#include <cstddef>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

namespace app {

// Shows how a run advances: frames done, frames per second and, when the
// source's length is known, the estimated time to the end. On a terminal
// one line is redrawn in place ("\r", erased to its end); elsewhere (a log
// file, a pipe) plain lines are written at a slower pace. The run ends with
// one summary line: "processed N frames in T (R frames/s)".
class ProgressReporter {
public:
    enum class Style { updating_line, plain_lines };
    using Clock = std::function<double()>;  // seconds since any fixed point

    ProgressReporter(std::ostream& out, Style style, std::optional<std::size_t> total_frames,
                     Clock clock = steady_seconds);

    // After each frame that the source produced.
    void frame_done();
    // At the end of the run; `clean` is false when an error ended it (only
    // the updating line is closed then, so that the error starts a line).
    void finish(bool clean);

    // "frame 12/40, 8.3 frames/s, ETA 3 s" (no "/40" and no ETA without a
    // known length, no rate before any time has passed).
    std::string status() const;

    static double steady_seconds();

private:
    double elapsed() const { return clock_() - start_; }

    std::ostream& out_;
    Style style_;
    std::optional<std::size_t> total_;
    Clock clock_;
    double start_;
    double last_shown_;
    std::size_t done_ = 0;
    bool line_open_ = false;  // an updating line is on screen
};

// "0.4 s", "12 s", "2 min 05 s", "1 h 02 min".
std::string format_duration(double seconds);

}  // namespace app
