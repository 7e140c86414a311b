#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

#include "model/label.h"
#include "numerics/vector.h"

namespace isbi {

// Size and brightness of the segment a track took in a frame.
struct SegmentMeasures {
    double area = 0;
    double mean_intensity = 0;
};

// One track as the result writer sees it in one frame.
struct TrackSighting {
    state::Label track;
    bool newborn = false;             // first scan of the track (MofNState n = 1)
    nmrc::Vector<3> position;         // position mean; z = 0 for 2-D tracks
    std::optional<int> segment;       // segment of this frame's contact; none when coasting
    bool marked = true;               // holds at least one pixel of this frame's mask
    std::optional<state::Label> parent_track;  // the track it descends from (TrackParentState)
    std::optional<SegmentMeasures> measures;   // of its contact's segment, when the contact has them
};

// The output labels of the cell-tracking result and their lineage: every
// label is one track segment from its begin to its end frame, with the
// label of the cell it divided from (0 for none). The result is valid by
// construction: a label is used in every frame from its begin to its end,
// and a parent ends before its children begin.
class TrackLineage {
public:
    struct Segment {
        std::int32_t begin = 0;
        std::int32_t end = 0;
        std::int32_t parent = 0;
    };

    // Masks hold 16-bit labels.
    static constexpr std::int32_t max_label = 65535;

    // Labels the tracks of frame f (frames come in increasing order) and
    // returns each track's output label, in the order given; 0 for a track
    // that is not marked in this frame.
    //
    // A label goes on while its track is marked in every frame written. A
    // track that is not marked in a frame (no pixel of its own, or absent
    // from the frame) ends its label at its last marked frame; when it is
    // marked again it continues under a new label with the old one as
    // parent.
    //
    // Parents of tracks seen for the first time: a track holding a parent
    // track gets that track's current label as parent; a newborn without one
    // that lies closer than distance_gate (strictly) to a track under way is
    // taken as that track's daughter. When the parent track is in the frame,
    // it divides here: its label ends, and it continues under a new label
    // with the old one as parent, like its daughters.
    std::vector<std::int32_t> label_frame(const std::vector<TrackSighting>& tracks, std::int32_t f,
                                          double distance_gate);

    const std::map<std::int32_t, Segment>& segments() const { return segments_; }

    // One line "label begin end parent" per output label, in increasing
    // label order.
    void write(std::ostream& out) const;

private:
    // What the lineage knows of one track.
    struct TrackState {
        std::int32_t label = 0;           // its current output label; 0 before it is first marked
        std::int32_t pending_parent = 0;  // parent of its first label
        bool divided = false;             // its next marked frame starts a new label
    };

    // The tracks of one frame with their index by label and the indices of
    // those under way (not newborn).
    struct FrameTracks {
        const std::vector<TrackSighting>& tracks;
        std::map<state::Label, std::size_t> index;
        std::vector<std::size_t> under_way;
    };

    // The parent label of tracks[i], seen for the first time, and the index
    // of the parent's track when it is in this frame.
    std::int32_t parent_of_new_track(const FrameTracks& frame, std::size_t i, double distance_gate,
                                     std::optional<std::size_t>& mother) const;
    // The output label of a marked track in frame f: its current label goes
    // on, or a new one starts.
    std::int32_t mark(TrackState& track, std::int32_t f);
    std::int32_t start_label(std::int32_t f, std::int32_t parent);
    // Index of the track under way (listed in under_way) nearest to
    // tracks[i], the first of equal distances, with its distance; none when
    // no track is under way.
    static std::optional<std::size_t> nearest_under_way(const std::vector<TrackSighting>& tracks,
                                                        const std::vector<std::size_t>& under_way,
                                                        std::size_t i, double& distance);

    std::int32_t last_label_ = 0;
    std::optional<std::int32_t> previous_frame_;
    std::map<state::Label, TrackState> tracks_;
    std::map<std::int32_t, Segment> segments_;
};

}  // namespace isbi
