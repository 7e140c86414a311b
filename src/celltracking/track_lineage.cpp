#include "celltracking/track_lineage.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "util/exception.h"

namespace isbi {

std::int32_t TrackLineage::start_label(const state::Label& track, std::int32_t f, std::int32_t parent) {
    if (last_label_ >= max_label)
        throw util::Exception("more than " + std::to_string(max_label) +
                              " cell labels cannot be stored in 16-bit masks, frame = " + std::to_string(f));
    const std::int32_t label = ++last_label_;
    label_of_track_[track] = label;
    segments_[label] = Segment{f, f, parent};
    return label;
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

std::vector<std::int32_t> TrackLineage::label_frame(const std::vector<TrackSighting>& tracks, std::int32_t f,
                                                    double distance_gate) {
    // A track under way that this writer has not seen yet (its first frames
    // were held back upstream) starts a label of its own here.
    std::vector<std::size_t> under_way;
    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (tracks[i].newborn) continue;
        under_way.push_back(i);
        if (!label_of_track_.count(tracks[i].track)) start_label(tracks[i].track, f, 0);
    }

    struct Division {
        state::Label mother;
        std::vector<std::int32_t> daughters;
    };
    std::map<std::int32_t, Division> divisions;  // by the mother's label, in increasing order

    for (std::size_t i = 0; i < tracks.size(); ++i) {
        if (!tracks[i].newborn) continue;
        const std::int32_t label = start_label(tracks[i].track, f, 0);
        double distance = 0;
        const auto nearest = nearest_under_way(tracks, under_way, i, distance);
        if (!nearest || !(distance_gate > distance)) continue;
        const state::Label& mother = tracks[*nearest].track;
        const std::int32_t parent = label_of_track_.at(mother);
        // A mother whose label starts in this very frame has no frame of its
        // own before the division; its segment would end before it begins.
        if (segments_.at(parent).begin >= f) continue;
        Division& division = divisions[parent];
        division.mother = mother;
        division.daughters.push_back(label);
    }

    for (auto& [parent, division] : divisions) {
        segments_.at(parent).end = f - 1;
        std::sort(division.daughters.begin(), division.daughters.end());
        for (std::int32_t daughter : division.daughters) segments_.at(daughter).parent = parent;
        start_label(division.mother, f, parent);
    }

    std::vector<std::int32_t> labels;
    labels.reserve(tracks.size());
    for (const TrackSighting& track : tracks) {
        const std::int32_t label = label_of_track_.at(track.track);
        segments_.at(label).end = f;
        labels.push_back(label);
    }
    return labels;
}

void TrackLineage::write(std::ostream& out) const {
    for (const auto& [label, segment] : segments_)
        out << label << ' ' << segment.begin << ' ' << segment.end << ' ' << segment.parent << '\n';
}

}  // namespace isbi
