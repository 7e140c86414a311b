#include "pipeline/frame_writer.h"

#include <algorithm>
#include <cmath>
#include <iomanip>
#include <sstream>

#include "util/system.h"
#include "xml/out_stream.h"

namespace cmpnt {

namespace {

// A number in decimal, zero-padded to width characters (a minus sign stays
// in front); longer numbers are written in full.
template <class Integer>
std::string padded(Integer value, std::int32_t width) {
    std::ostringstream out;
    out << std::setfill('0') << std::internal << std::setw(width) << value;
    return out.str();
}

std::string show(double value) {
    std::ostringstream out;
    out << std::setprecision(15) << value;
    return out.str();
}

}  // namespace

FrameWriter::FrameWriter(const xml::Querier& querier) {
    const std::string configured = querier.read_raw("directory");
    directory_ = configured;
    std::replace(directory_.begin(), directory_.end(), '\\', '/');
    if (!directory_.empty() && directory_.back() == '/') directory_.pop_back();
    // An empty folder would put the files into the root of the file system.
    if (directory_.empty())
        throw util::Exception("frame_writer: directory must name a folder: directory = \"" +
                              configured + "\"");

    const bool create = querier.read_bool("create");
    querier.read("time_width", time_width_);
    querier.read("time_factor", time_factor_);
    querier.read("count_width", count_width_);
    if (time_width_ < 0)
        throw util::Exception("frame_writer: time_width must not be negative: time_width = " +
                              std::to_string(time_width_));
    if (!std::isfinite(time_factor_))
        throw util::Exception("frame_writer: time_factor must be finite: time_factor = " +
                              show(time_factor_));
    if (count_width_ < 0)
        throw util::Exception("frame_writer: count_width must not be negative: count_width = " +
                              std::to_string(count_width_));

    // Prepared only once every parameter is known to be good, so that a bad
    // configuration never moves an existing folder aside.
    if (create) util::System::make_directory(directory_);
    directory_ += '/';
}

std::string FrameWriter::file_name(double time, std::int32_t count) const {
    std::string name = directory_;
    if (time_width_ > 0) {
        // the integer part, truncated toward zero, of time x time_factor
        const double scaled = std::trunc(time * time_factor_);
        if (!(std::fabs(scaled) < 9.0e18))
            throw util::Exception("frame_writer: time x time_factor does not fit a file name: time = " +
                                  show(time) + ", time_factor = " + show(time_factor_));
        name += padded(static_cast<long long>(scaled), time_width_) + "_";
    }
    return name + padded(count, count_width_) + ".xml";
}

void FrameWriter::push_frame(FramePtr frame) {
    if (frame) {
        const std::string name = file_name(frame->time, count_ + 1);
        ++count_;
        write(*frame, name);
    }
    child().push_frame(std::move(frame));
}

void FrameWriter::write(const Frame& frame, const std::string& name) const {
    xml::OutStream out;
    out.open(name, "  ");
    if (!out.good()) throw util::Exception("unable to open " + name);
    out.set_precision(15);
    frame.write(out);
    out.stream().flush();
    // A full disk must not pass for a written frame.
    if (!out.good()) throw util::Exception("unable to write " + name);
    out.close();
}

}  // namespace cmpnt
