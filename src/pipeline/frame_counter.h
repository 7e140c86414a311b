#pragma once
#include <cstdint>

#include "pipeline/component.h"

namespace cmpnt {

// Counts the frames that pass and prints every modulo-th count on a progress
// line of standard output, wrapped at about max_line_length characters; the
// end of the stream prints the total. Frames pass on unchanged.
// Key "frame_counter"; children "modulo" and "max_line_length" (both > 0).
class FrameCounter : public MonoChildComponent {
public:
    explicit FrameCounter(const xml::Querier& querier);
    void push_frame(FramePtr frame) override;

private:
    void print_count();

    std::int32_t count_ = 0;
    std::int32_t modulo_ = 1;
    std::int32_t max_line_length_ = 80;
    std::int32_t line_length_ = 0;
};

}  // namespace cmpnt
