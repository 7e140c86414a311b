#include "pipeline/frame_counter.h"

#include <cmath>
#include <iostream>
#include <string>

namespace cmpnt {

const config::Schema<FrameCounter::Parameters>& FrameCounter::schema() {
    using P = Parameters;
    // The remainder count % modulo is undefined for 0 and meaningless below.
    static const auto schema =
        config::Schema<P>("frame_counter", "counts the frames that pass and prints a progress line")
            .required(&P::modulo, "modulo", "print the count of every modulo-th frame",
                      config::positive<int>())
            .required(&P::max_line_length, "max_line_length",
                      "wrap the progress line before it grows longer than this", config::positive<int>());
    return schema;
}

FrameCounter::FrameCounter(const Parameters& parameters) : parameters_(schema().validate(parameters)) {}

void FrameCounter::push_frame(FramePtr frame) {
    if (!frame) {
        std::cout << "\n\n...done, total frame count = " << count_ << std::endl;
    } else {
        ++count_;
        if (count_ % parameters_.modulo == 0) print_count();
    }
    child().push_frame(std::move(frame));
}

void FrameCounter::print_count() {
    // w = floor(log10(count + 1) + 1) + 1: the printed digits plus one blank
    const std::int32_t width =
        static_cast<std::int32_t>(std::log(count_ + 1.0) / std::log(10.0) + 1) + 1;
    line_length_ += width;
    if (line_length_ > parameters_.max_line_length) {
        std::cout << std::endl;
        line_length_ = width;
    }
    std::cout << count_;
    if (line_length_ != parameters_.max_line_length) std::cout << ' ';
}

}  // namespace cmpnt
