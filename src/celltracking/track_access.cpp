#include "celltracking/track_access.h"

#include <charconv>

#include "imaging/segment_states.h"
#include "model/contact_state.h"
#include "model/track_label_state.h"

namespace isbi {

const state::Label& track_label(const state::CompositeState& track) {
    return track.get<state::TrackLabelState>().label;
}

const state::CompositeState& track_contact(const state::CompositeState& track) {
    const auto& contact = track.get<state::ContactState>().contact;
    if (!contact)
        throw util::Exception("track without contact states, track label = " +
                              std::to_string(track_label(track).src) + " " +
                              std::to_string(track_label(track).id));
    return *contact;
}

bool is_coast(const state::CompositeState& track) {
    return !track_contact(track).has<ipc::SegmentIdState>();
}

const frame::CompositeStateFrame& composite_frame(const cmpnt::FramePtr& frame) {
    return *frame::cast<frame::CompositeStateFrame>(frame);
}

util::CountedPtr<frame::CompositeStateFrame> with_tracks(const frame::CompositeStateFrame& original,
                                                         std::vector<state::CompositeStatePtr> tracks) {
    auto copy = std::make_shared<frame::CompositeStateFrame>(original.time);
    copy->meta_data = original.meta_data;
    copy->composite_states = std::move(tracks);
    return copy;
}

util::CountedPtr<frame::CompositeStateFrame> with_own_state(const frame::CompositeStateFrame& original,
                                                            state::StatePtr state) {
    auto copy = with_tracks(original, original.composite_states);
    copy->meta_data = original.meta_data ? std::make_shared<state::CompositeState>(*original.meta_data)
                                         : std::make_shared<state::CompositeState>();
    copy->meta_data->insert(std::move(state));
    return copy;
}

std::string format_number(double value) {
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

}  // namespace isbi
