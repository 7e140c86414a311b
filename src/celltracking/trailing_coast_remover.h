#pragma once
#include <cstdint>
#include <deque>
#include <map>

#include "config/schema.h"
#include "model/composite_state.h"
#include "model/label.h"
#include "pipeline/component.h"

namespace isbi {

// Cuts the run of coasts a track makes after its last contact, while coasts
// between two contacts stay. Frames are held for buffer_size frames so that
// a track's coasts are known to be trailing (the track has left the frame
// with no contact after them) before they would be passed on. Key
// "trailing_coast_remover"; element "buffer_size" (int, >= 0).
class TrailingCoastRemover : public cmpnt::MonoChildComponent {
public:
    static const char* key() { return "trailing_coast_remover"; }

    struct Parameters {
        std::int32_t buffer_size = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit TrailingCoastRemover(const Parameters& parameters);
    explicit TrailingCoastRemover(const xml::Querier& querier) : TrailingCoastRemover(schema().bind(querier)) {}

    // A non-null frame enters the buffer and the oldest leaves it once more
    // than buffer_size frames are held; the null frame cuts the trailing
    // coasts of every track, flushes the buffer in order and is passed on.
    void push_frame(cmpnt::FramePtr frame) override;

private:
    // One track state and the buffered frame it came from.
    struct Sighting {
        std::int64_t frame;
        state::CompositeStatePtr track;
    };
    using History = std::deque<Sighting>;

    // Drops the coasts at the end of the history.
    static void cut_trailing_coasts(History& history);
    void release_oldest();

    std::int32_t buffer_size_ = 0;
    std::int64_t next_frame_ = 0;  // sequence number of the next frame received
    std::deque<std::pair<std::int64_t, cmpnt::FramePtr>> buffer_;
    std::map<state::Label, History> histories_;
};

}  // namespace isbi
