#pragma once
#include <cstdint>
#include <deque>
#include <set>

#include "config/schema.h"
#include "model/label.h"
#include "pipeline/component.h"

namespace ostrel {

// Holds frames back long enough to learn which tracks get confirmed, then
// passes each frame on with only the tracks confirmed by then. A track
// confirmed within buffer_size - 1 frames of its birth is therefore output
// from its first frame on. Key "unconfirmed_track_size_buffer_filter";
// element "buffer_size" (int, > 0).
class UnconfirmedTrackSizeBufferFilter : public cmpnt::MonoChildComponent {
public:
    static const char* key() { return "unconfirmed_track_size_buffer_filter"; }

    struct Parameters {
        std::int32_t buffer_size = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit UnconfirmedTrackSizeBufferFilter(const Parameters& parameters);
    explicit UnconfirmedTrackSizeBufferFilter(const xml::Querier& querier)
        : UnconfirmedTrackSizeBufferFilter(schema().bind(querier)) {}

    // A non-null frame enters the buffer, and the oldest is released once
    // buffer_size frames are held; the null frame flushes every buffered
    // frame in order and is then passed on.
    void push_frame(cmpnt::FramePtr frame) override;

    std::size_t buffered() const { return buffer_.size(); }

private:
    void release_oldest();

    std::int32_t buffer_size_ = 0;
    std::deque<cmpnt::FramePtr> buffer_;
    std::set<state::Label> confirmed_;
};

}  // namespace ostrel
