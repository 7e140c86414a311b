#pragma once
#include <cstdint>

#include "config/schema.h"
#include "pipeline/component.h"

namespace cmpnt {

// Counts the frames that pass and prints every modulo-th count on a progress
// line of standard output, wrapped at about max_line_length characters; the
// end of the stream prints the total. Frames pass on unchanged.
// Key "frame_counter"; children "modulo" and "max_line_length" (both > 0).
class FrameCounter : public MonoChildComponent {
public:
    struct Parameters {
        std::int32_t modulo = 1;
        std::int32_t max_line_length = 80;
    };
    static const config::Schema<Parameters>& schema();

    explicit FrameCounter(const Parameters& parameters);
    explicit FrameCounter(const xml::Querier& querier) : FrameCounter(schema().bind(querier)) {}
    void push_frame(FramePtr frame) override;

private:
    void print_count();

    std::int32_t count_ = 0;
    const Parameters parameters_;
    std::int32_t line_length_ = 0;
};

}  // namespace cmpnt
