#include "celltracking/track_lineage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "util/exception.h"

namespace isbi {

std::int32_t TrackLineage::start_label(std::int32_t f, std::int32_t parent) {
    if (last_label_ >= max_label)
        throw util::Exception("more than " + std::to_string(max_label) +
                              " cell labels cannot be stored in 16-bit masks, frame = " + std::to_string(f));
    const std::int32_t label = ++last_label_;
    segments_[label] = Segment{f, f, parent};
    return label;
}

std::int32_t TrackLineage::mark(TrackState& track, std::int32_t f) {
    const bool goes_on = track.label != 0 && !track.divided && previous_frame_ &&
                         segments_.at(track.label).end == *previous_frame_;
    if (goes_on) {
        segments_.at(track.label).end = f;
        return track.label;
    }
    // A first label, or the continuation after a division or a gap.
    const std::int32_t parent = track.label != 0 ? track.label : track.pending_parent;
    track.label = start_label(f, parent);
    track.pending_parent = 0;
    track.divided = false;
    return track.label;
}

std::optional<std::size_t> TrackLineage::nearest_under_way(const std::vector<TrackSighting>& tracks,
                                                           const std::vector<std::size_t>& under_way,
                                                           std::size_t i, double& distance) {
    std::optional<std::size_t> nearest;
    distance = std::numeric_limits<double>::infinity();
    for (std::size_t j : under_way) {
        // d = |p_i - p_j|
        const nmrc::Vector<3> d = tracks[i].position - tracks[j].position;
        const double dj = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
        if (dj < distance) {
            distance = dj;
            nearest = j;
        }
    }
    return nearest;
}

std::int32_t TrackLineage::parent_of_new_track(const FrameTracks& frame, std::size_t i, double distance_gate,
                                               std::optional<std::size_t>& mother) const {
    const std::vector<TrackSighting>& tracks = frame.tracks;
    const TrackSighting& track = tracks[i];
    std::optional<std::size_t> candidate;
    std::optional<state::Label> parent_track;
    if (track.parent_track && *track.parent_track != track.track) {
        parent_track = track.parent_track;
        const auto found = frame.index.find(*parent_track);
        if (found != frame.index.end()) candidate = found->second;
    } else if (track.newborn && !track.parent_track) {
        const std::vector<std::size_t>& under_way = frame.under_way;
        double distance = 0;
        candidate = nearest_under_way(tracks, under_way, i, distance);
        if (!candidate || !(distance_gate > distance)) return 0;
        parent_track = tracks[*candidate].track;
    }
    if (!parent_track) return 0;
    // A parent without a label of its own yet (first seen in this very
    // frame, or never marked) has no frame before the division to end in.
    const auto known = tracks_.find(*parent_track);
    if (known == tracks_.end() || known->second.label == 0) return 0;
    mother = candidate;
    return known->second.label;
}

std::vector<std::int32_t> TrackLineage::label_frame(const std::vector<TrackSighting>& tracks, std::int32_t f,
                                                    double distance_gate) {
    // Parents of the tracks seen for the first time, found before any label
    // of this frame is handed out.
    FrameTracks frame{tracks, {}, {}};
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        frame.index.emplace(tracks[i].track, i);
        if (!tracks[i].newborn) frame.under_way.push_back(i);
    }
    std::map<std::int32_t, std::size_t> mothers;  // dividing label -> its track's index in this frame
    std::vector<std::pair<state::Label, TrackState>> first_seen;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (tracks_.count(tracks[i].track)) continue;
        std::optional<std::size_t> mother;
        TrackState state;
        state.pending_parent = parent_of_new_track(frame, i, distance_gate, mother);
        if (mother) mothers[state.pending_parent] = *mother;
        first_seen.emplace_back(tracks[i].track, state);
    }
    for (auto& [label, state] : first_seen) tracks_.emplace(label, state);
    for (const auto& entry : mothers) tracks_.at(tracks[entry.second].track).divided = true;

    // New labels are handed out to tracks under way, then to newborns, in
    // frame order, then to the continuations of dividing tracks in label
    // order.
    std::vector<std::int32_t> labels(tracks.size(), 0);
    const auto label = [&](std::size_t i) {
        if (tracks[i].marked) labels[i] = mark(tracks_.at(tracks[i].track), f);
    };
    std::vector<bool> dividing(tracks.size(), false);
    for (const auto& entry : mothers) dividing[entry.second] = true;
    for (std::size_t i = 0; i < tracks.size(); ++i)
        if (!tracks[i].newborn && !dividing[i]) label(i);
    for (std::size_t i = 0; i < tracks.size(); ++i)
        if (tracks[i].newborn && !dividing[i]) label(i);
    for (const auto& entry : mothers) label(entry.second);
    previous_frame_ = f;
    return labels;
}

void TrackLineage::write(std::ostream& out) const {
    for (const auto& [label, segment] : segments_)
        out << label << ' ' << segment.begin << ' ' << segment.end << ' ' << segment.parent << '\n';
}

}  // namespace isbi
