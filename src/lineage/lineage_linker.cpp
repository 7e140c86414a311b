#include "lineage/lineage_linker.h"

#include <limits>
#include <set>
#include <sstream>

#include "celltracking/track_access.h"
#include "imaging/segment_features_state.h"
#include "imaging/segment_states.h"
#include "model/contact_state.h"
#include "model/states/m_of_n_state.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/track_parent_state.h"
#include "model/track_label_state.h"

namespace lineage {

namespace {

// Sightings kept per track: the window, the gap and the frames a velocity
// is averaged over, with room to spare.
std::size_t history_capacity(const LinkingModel& model) {
    return static_cast<std::size_t>(model.window() + model.maximum_gap() + TrackHistory::velocity_frames + 3);
}

std::string label_text(const state::Label& label) {
    std::ostringstream text;
    text << label;
    return text.str();
}

// The frame's own contact states, where the contact converter left the
// segmentation.
const state::CompositeState* own_contact(const frame::CompositeStateFrame& frame) {
    if (!frame.meta_data) return nullptr;
    const auto own = frame.meta_data->get_ptr<state::ContactState>();
    return own ? own->contact.get() : nullptr;
}

}  // namespace

LineageLinkerBase::LineageLinkerBase(const LinkingParameters& parameters, std::string key, int dimension)
    : key_(std::move(key)), model_(parameters, dimension),
      source_(state::take_label_source()) {}

void LineageLinkerBase::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        while (!held_.empty()) {
            commit_oldest();
            release_oldest();
        }
        child().push_frame(nullptr);
        return;
    }
    take(std::move(frame));
    if (held_.size() > static_cast<std::size_t>(model_.window())) {
        commit_oldest();
        release_oldest();
    }
}

void LineageLinkerBase::take(cmpnt::FramePtr frame) {
    const int index = next_index_++;
    const auto& tracks = isbi::composite_frame(frame);
    if (!model_.knows_field()) {
        // The density of appearing cells needs the field's size: from the
        // configuration, else from the first frame's segmentation.
        if (const auto size = field_size(tracks)) model_.set_field(*size);
        if (!model_.knows_field())
            throw util::Exception(key_ + ": the frames hold no segmentation to measure the field by; "
                                         "configure field_area");
    }
    for (const auto& [label, sighting] : read_sightings(tracks, index)) {
        auto found = tracks_.find(label);
        if (found == tracks_.end()) {
            found = tracks_.emplace(label, TrackHistory(label, history_capacity(model_))).first;
            // Tracks of the first frame came from nowhere the linker can see.
            found->second.start_decided = index == 0;
        } else if (found->second.last_frame() == index) {
            throw util::Exception(key_ + ": track " + label_text(label) + " appears twice in the frame at time " +
                                  isbi::format_number(tracks.time));
        } else if (found->second.last_frame() < index - 1) {
            throw util::Exception(key_ + ": track " + label_text(label) + " reappears at time " +
                                  isbi::format_number(tracks.time) +
                                  " after frames without it; a track label must not be used again");
        }
        found->second.add(sighting);
    }
    held_.push_back({index, std::move(frame)});
}

void LineageLinkerBase::commit_oldest() {
    const int oldest = held_.front().index;
    const LinkChoice choice = choose_links(tracks_, oldest, model_);

    // The labels as they were before this frame's decisions: two cells that
    // trade identities in one frame each take the other's old label.
    std::map<state::Label, state::Label> before;
    for (const auto& [label, track] : tracks_) before.emplace(label, track.output);

    std::set<state::Label> explained;  // cut tracks whose piece a link explains
    for (const Link& link : choice.links) {
        if (link.frame != oldest) continue;
        for (const Piece& piece : link.starts)
            if (piece.cut) explained.insert(piece.track);
        if (!link.keeps_track()) apply(link, before);
    }
    // A cut track whose continuation nothing explains goes on as a cell
    // that appeared.
    for (const Piece& cut : choice.cuts)
        if (cut.frame == oldest && !explained.count(cut.track)) {
            TrackHistory& track = tracks_.at(cut.track);
            track.output = fresh_label();
            track.birth.reset();
        }
    // So does every start of the frame that no link explains.
    for (auto& [label, track] : tracks_)
        if (!track.start_decided && track.first_frame() == oldest) track.start_decided = true;
}

void LineageLinkerBase::apply(const Link& link, const std::map<state::Label, state::Label>& before) {
    TrackHistory& source = tracks_.at(link.source);
    const state::Label source_label = before.at(link.source);
    if (!link.source_cut) source.end_consumed = true;
    for (const Piece& piece : link.starts) {
        TrackHistory& track = tracks_.at(piece.track);
        track.start_decided = true;
        const bool joined = link.kind == Link::Kind::found_again && link.unseen == 0;
        if (joined) {
            // One cell, one label across consecutive frames. A new track
            // continues the old one's m-of-n counters.
            track.output = source_label;
            if (!piece.cut) {
                track.m_offset = source.last_m;
                track.n_offset = source.last_n;
            }
        } else {
            // A daughter, or a cell found after frames unseen: a new label
            // (a started track keeps its own) whose parent is the source.
            if (piece.cut) track.output = fresh_label();
            track.parent_mark = std::make_pair(link.frame, source_label);
        }
        if (link.kind == Link::Kind::division)
            track.birth = link.frame;
        else
            track.birth = source.birth;
    }
}

state::Label LineageLinkerBase::fresh_label() {
    if (next_number_ == std::numeric_limits<std::int32_t>::max())
        throw util::Exception(key_ + ": no label number left for a new track");
    return state::Label{source_, next_number_++};
}

void LineageLinkerBase::release_oldest() {
    const Held held = std::move(held_.front());
    held_.pop_front();
    const auto& input = isbi::composite_frame(held.frame);
    std::vector<state::CompositeStatePtr> output;
    output.reserve(input.composite_states.size());
    for (const auto& states : input.composite_states) {
        const state::Label label = isbi::track_label(*states);
        TrackHistory& track = tracks_.at(label);
        const bool renamed = track.output != label;
        const bool marked = track.parent_mark && track.parent_mark->first == held.index;
        const auto m_of_n = states->get_ptr<ostrel::MofNState>();
        const bool counted = m_of_n && (track.m_offset || track.n_offset);
        if (m_of_n) {
            track.last_m = m_of_n->m + track.m_offset;
            track.last_n = m_of_n->n + track.n_offset;
        }
        if (!renamed && !marked && !counted) {
            output.push_back(states);
            continue;
        }
        // A copy of the set: the states themselves are shared.
        auto changed = std::make_shared<state::CompositeState>(*states);
        if (renamed) changed->insert(std::make_shared<const state::TrackLabelState>(track.output));
        if (marked) changed->insert(std::make_shared<const ostrel::TrackParentState>(track.parent_mark->second));
        if (counted) changed->insert(std::make_shared<const ostrel::MofNState>(track.last_m, track.last_n));
        output.push_back(std::move(changed));
    }
    child().push_frame(isbi::with_tracks(input, std::move(output)));

    // Tracks that ended too long ago to be found again are forgotten.
    for (auto entry = tracks_.begin(); entry != tracks_.end();)
        entry = entry->second.last_frame() < held.index - model_.maximum_gap() ? tracks_.erase(entry)
                                                                                : std::next(entry);
}

template <int N>
std::optional<double> BasicLineageLinker<N>::field_size(const frame::CompositeStateFrame& frame) const {
    const state::CompositeState* own = own_contact(frame);
    if (!own) return std::nullopt;
    if constexpr (N == 2) {
        if (const auto image = own->get_ptr<ipc::SegmentImageState>())
            if (image->has_segmentation()) return double(image->width()) * image->height();
    } else {
        if (const auto image = own->get_ptr<ipc::SegmentImage3dState>())
            if (image->segmentation)
                return double(image->segmentation->width()) * image->segmentation->height() *
                       image->segmentation->depth();
    }
    return std::nullopt;
}

template <int N>
std::vector<std::pair<state::Label, Sighting>> BasicLineageLinker<N>::read_sightings(
    const frame::CompositeStateFrame& frame, int index) const {
    // Shapes from the frame's segmentation, for contacts that carry no
    // segment features; measured at most once per frame.
    std::optional<SegmentShapes> shapes;
    util::CountedPtr<const ipc::SegmentImageState> segmentation;
    if (const state::CompositeState* own = own_contact(frame); N == 2 && own)
        if (const auto image = own->get_ptr<ipc::SegmentImageState>(); image && image->has_segmentation())
            segmentation = image;

    std::vector<std::pair<state::Label, Sighting>> sightings;
    sightings.reserve(frame.composite_states.size());
    for (const auto& track : frame.composite_states) {
        const state::Label label = isbi::track_label(*track);
        Sighting sighting;
        sighting.frame = index;
        const auto contact_state = track->get_ptr<state::ContactState>();
        const state::CompositeState* contact = contact_state ? contact_state->contact.get() : nullptr;
        sighting.contact = contact && contact->has<ipc::SegmentIdState>();
        // The measured centroid of the contact, else the track's estimate
        // (a position, or a position and velocity).
        auto position = sighting.contact ? contact->get_ptr<state::PositionEstimateState<N>>() : nullptr;
        if (!position) position = track->get_ptr<state::PositionEstimateState<N>>();
        if (position) {
            for (int k = 0; k < N; ++k) sighting.position[k] = position->estimate.mean[k];
        } else if (const auto moving = track->get_ptr<state::PositionVelocityEstimateState<N>>()) {
            for (int k = 0; k < N; ++k) sighting.position[k] = moving->estimate.mean[k];
        } else {
            throw util::Exception(this->key() + ": track " + label_text(label) + " at time " +
                                  isbi::format_number(frame.time) + " has neither " +
                                  state::PositionEstimateState<N>::key() + " nor " +
                                  state::PositionVelocityEstimateState<N>::key());
        }
        if (sighting.contact) {
            if (segmentation && !shapes && !contact->has<ipc::SegmentFeaturesState>())
                shapes.emplace(*segmentation->segmentation());
            sighting.shape = contact_shape(*contact, shapes ? &*shapes : nullptr);
        }
        sightings.emplace_back(label, sighting);
    }
    return sightings;
}

template class BasicLineageLinker<2>;
template class BasicLineageLinker<3>;

}  // namespace lineage
