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

// The folder with "/" separators and no trailing separator.
std::string folder_of(std::string directory) {
    std::replace(directory.begin(), directory.end(), '\\', '/');
    if (!directory.empty() && directory.back() == '/') directory.pop_back();
    return directory;
}

}  // namespace

const config::Schema<FrameWriter::Parameters>& FrameWriter::schema() {
    using P = Parameters;
    const auto not_negative =
        config::non_negative<int>().says("{key}: {element} must not be negative: {entry} = {value}");
    // An empty folder would put the files into the root of the file system.
    const config::Check<std::string> names_a_folder{
        "a folder", [](const std::string& d) { return !folder_of(d).empty(); },
        "{key}: {element} must name a folder: {entry} = {value}"};
    static const auto schema =
        config::Schema<P>("frame_writer", "writes every frame that passes into its own XML file")
            .required(&P::directory, "directory", "the output folder (text kept as written)", names_a_folder)
            .required(&P::create, "create", "true: move an existing folder to the trash and make a fresh one")
            .required(&P::time_width, "time_width",
                      "digits of time x time_factor at the start of each file name (0: no time)", not_negative)
            .required(&P::time_factor, "time_factor", "scale of the frame time in file names", config::finite())
            .required(&P::count_width, "count_width", "digits of the running file number", not_negative);
    return schema;
}

FrameWriter::FrameWriter(const Parameters& parameters)
    : directory_(folder_of(schema().validate(parameters).directory)),
      time_width_(parameters.time_width),
      time_factor_(parameters.time_factor),
      count_width_(parameters.count_width) {
    // Prepared only once every parameter is known to be good, so that a bad
    // configuration never moves an existing folder aside.
    if (parameters.create) util::System::make_directory(directory_);
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
