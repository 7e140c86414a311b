#include "celltracking/unconfirmed_track_size_buffer_filter.h"

#include "celltracking/track_access.h"
#include "model/states/confirmed_state.h"

namespace ostrel {

const config::Schema<UnconfirmedTrackSizeBufferFilter::Parameters>& UnconfirmedTrackSizeBufferFilter::schema() {
    static const auto schema =
        config::Schema<Parameters>(key(), "passes on only the tracks confirmed within buffer_size - 1 frames of "
                                          "each frame, from their first frame on")
            .required(&Parameters::buffer_size, "buffer_size", "the frames held back",
                      config::positive<std::int32_t>().says(
                          "UnconfirmedTrackFilter::buffer_size must be positive, buffer_size = {value}"));
    return schema;
}

UnconfirmedTrackSizeBufferFilter::UnconfirmedTrackSizeBufferFilter(const Parameters& parameters)
    : buffer_size_(schema().validate(parameters).buffer_size) {}

void UnconfirmedTrackSizeBufferFilter::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        while (!buffer_.empty()) release_oldest();
        child().push_frame(nullptr);
        return;
    }
    for (const auto& track : isbi::composite_frame(frame).composite_states)
        if (track->has<ConfirmedState>()) confirmed_.insert(isbi::track_label(*track));
    buffer_.push_back(std::move(frame));
    if (buffer_.size() >= static_cast<std::size_t>(buffer_size_)) release_oldest();
}

void UnconfirmedTrackSizeBufferFilter::release_oldest() {
    const auto& oldest = isbi::composite_frame(buffer_.front());
    std::vector<state::CompositeStatePtr> kept;
    for (const auto& track : oldest.composite_states)
        if (confirmed_.count(isbi::track_label(*track))) kept.push_back(track);
    auto output = isbi::with_tracks(oldest, std::move(kept));
    buffer_.pop_front();
    child().push_frame(output);
}

}  // namespace ostrel
