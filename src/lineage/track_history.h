#pragma once
#include <cstdint>
#include <deque>
#include <optional>
#include <utility>

#include "lineage/cell_shape.h"
#include "model/label.h"
#include "numerics/vector.h"

namespace lineage {

// One track in one frame, as the lineage linker reads it.
struct Sighting {
    int frame = 0;
    nmrc::Vector<3> position;  // the contact's centroid, or the track's prediction when coasting; z = 0 in 2-D
    bool contact = false;      // a segment was assigned to the track in this frame
    std::optional<CellShape> shape;
};

// Where a track would be in a later frame, from its contacts before it.
struct Prediction {
    nmrc::Vector<3> position;
    int unseen = 0;  // frames between its last contact and the predicted frame
};

// What the linker keeps of one incoming track: its last sightings (a
// bounded number, so memory stays bounded however long the track lives) and
// the identity the linker has given it.
class TrackHistory {
public:
    // Frames of contacts over which the velocity of a prediction is averaged.
    static constexpr int velocity_frames = 3;

    TrackHistory(state::Label label, std::size_t capacity) : output(label), capacity_(capacity) {}

    // Sightings come in increasing frame order.
    void add(const Sighting& sighting);

    int first_frame() const { return first_frame_; }
    int last_frame() const { return last_frame_; }
    // The kept sighting of the frame, or null.
    const Sighting* at(int frame) const;
    // The last contact before the frame, or null.
    const Sighting* last_contact_before(int frame) const;
    // The position at `frame` extrapolated from the contacts before it: the
    // last contact c1 moved on with the mean velocity since the earliest
    // contact c0 within velocity_frames frames before it,
    // p = c1 + (c1 - c0) (frame - f1) / (f1 - f0). None without a contact.
    std::optional<Prediction> predict(int frame) const;

    // The identity decided by the linker.
    state::Label output;                                        // label the track carries from now on
    std::optional<int> birth;                                   // frame the cell was born, when seen
    bool start_decided = false;                                 // its first frame is committed
    bool end_consumed = false;                                  // a committed link continues its end
    std::optional<std::pair<int, state::Label>> parent_mark;    // (frame, parent) for TrackParentState
    std::int32_t m_offset = 0, n_offset = 0;                    // added to its m-of-n counters (merged tracks)
    std::int32_t last_m = 0, last_n = 0;                        // its counters as last written

private:
    std::size_t capacity_;
    int first_frame_ = -1;
    int last_frame_ = -1;
    std::deque<Sighting> sightings_;
};

}  // namespace lineage
