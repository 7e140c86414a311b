#include "pipeline/frame_counter.h"

#include <cmath>
#include <iostream>
#include <string>

namespace cmpnt {

FrameCounter::FrameCounter(const xml::Querier& querier) {
    querier.read("modulo", modulo_);
    querier.read("max_line_length", max_line_length_);
    // The remainder count % modulo is undefined for 0 and meaningless below.
    if (modulo_ <= 0)
        throw util::Exception("frame_counter: modulo must be positive: modulo = " +
                              std::to_string(modulo_));
    if (max_line_length_ <= 0)
        throw util::Exception("frame_counter: max_line_length must be positive: max_line_length = " +
                              std::to_string(max_line_length_));
}

void FrameCounter::push_frame(FramePtr frame) {
    if (!frame) {
        std::cout << "\n\n...done, total frame count = " << count_ << std::endl;
    } else {
        ++count_;
        if (count_ % modulo_ == 0) print_count();
    }
    child().push_frame(std::move(frame));
}

void FrameCounter::print_count() {
    // w = floor(log10(count + 1) + 1) + 1: the printed digits plus one blank
    const std::int32_t width =
        static_cast<std::int32_t>(std::log(count_ + 1.0) / std::log(10.0) + 1) + 1;
    line_length_ += width;
    if (line_length_ > max_line_length_) {
        std::cout << std::endl;
        line_length_ = width;
    }
    std::cout << count_;
    if (line_length_ != max_line_length_) std::cout << ' ';
}

}  // namespace cmpnt
