#include "lineage/track_history.h"

namespace lineage {

void TrackHistory::add(const Sighting& sighting) {
    if (first_frame_ < 0) first_frame_ = sighting.frame;
    last_frame_ = sighting.frame;
    sightings_.push_back(sighting);
    while (sightings_.size() > capacity_) sightings_.pop_front();
}

const Sighting* TrackHistory::at(int frame) const {
    for (auto s = sightings_.rbegin(); s != sightings_.rend(); ++s) {
        if (s->frame == frame) return &*s;
        if (s->frame < frame) break;
    }
    return nullptr;
}

const Sighting* TrackHistory::last_contact_before(int frame) const {
    for (auto s = sightings_.rbegin(); s != sightings_.rend(); ++s)
        if (s->frame < frame && s->contact) return &*s;
    return nullptr;
}

std::optional<Prediction> TrackHistory::predict(int frame) const {
    const Sighting* last = last_contact_before(frame);
    if (!last) return std::nullopt;
    const Sighting* earliest = last;
    for (auto s = sightings_.rbegin(); s != sightings_.rend(); ++s)
        if (s->contact && s->frame < last->frame && s->frame >= last->frame - velocity_frames) earliest = &*s;
    Prediction p{last->position, frame - last->frame - 1};
    if (earliest != last) {
        const double steps = double(frame - last->frame) / double(last->frame - earliest->frame);
        p.position += (last->position - earliest->position) * steps;
    }
    return p;
}

}  // namespace lineage
