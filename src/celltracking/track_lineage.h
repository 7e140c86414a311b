#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

#include "model/label.h"
#include "numerics/vector.h"

namespace isbi {

// One track as the result writer sees it in one frame.
struct TrackSighting {
    state::Label track;
    bool newborn = false;             // first scan of the track (MofNState n = 1)
    nmrc::Vector<3> position;         // position mean; z = 0 for 2-D tracks
    std::optional<int> segment;       // segment of this frame's contact; none when coasting
};

// The output labels of the cell-tracking result and their lineage: every
// label is one track segment from its begin to its end frame, with the
// label of the cell it divided from (0 for none).
class TrackLineage {
public:
    struct Segment {
        std::int32_t begin = 0;
        std::int32_t end = 0;
        std::int32_t parent = 0;
    };

    // Masks hold 16-bit labels.
    static constexpr std::int32_t max_label = 65535;

    // Labels the tracks of frame f and returns each track's output label, in
    // the order given. A newborn track closer than distance_gate (strictly)
    // to a track already under way is a daughter of that track's cell: the
    // mother's label ends at f - 1, and the daughters and the mother's own
    // continuation start new labels at f with the mother as parent.
    std::vector<std::int32_t> label_frame(const std::vector<TrackSighting>& tracks, std::int32_t f,
                                          double distance_gate);

    const std::map<std::int32_t, Segment>& segments() const { return segments_; }

    // One line "label begin end parent" per output label, in increasing
    // label order.
    void write(std::ostream& out) const;

private:
    std::int32_t start_label(const state::Label& track, std::int32_t f, std::int32_t parent);
    // Index of the track under way (listed in under_way) nearest to
    // tracks[i], the first of equal distances, with its distance; none when
    // no track is under way.
    static std::optional<std::size_t> nearest_under_way(const std::vector<TrackSighting>& tracks,
                                                        const std::vector<std::size_t>& under_way,
                                                        std::size_t i, double& distance);

    std::int32_t last_label_ = 0;
    std::map<state::Label, std::int32_t> label_of_track_;
    std::map<std::int32_t, Segment> segments_;
};

}  // namespace isbi
