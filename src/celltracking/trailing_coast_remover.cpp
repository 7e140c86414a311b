#include "celltracking/trailing_coast_remover.h"

#include "celltracking/track_access.h"

namespace isbi {

const config::Schema<TrailingCoastRemover::Parameters>& TrailingCoastRemover::schema() {
    static const auto schema =
        config::Schema<Parameters>(key(), "cuts the coasts a track makes after its last contact")
            .required(&Parameters::buffer_size, "buffer_size",
                      "the frames held back to learn that a track's coasts are trailing",
                      config::non_negative<std::int32_t>().says(
                          "TrailingCoastRemover::buffer_size must not be negative, buffer_size = {value}"));
    return schema;
}

TrailingCoastRemover::TrailingCoastRemover(const Parameters& parameters)
    : buffer_size_(schema().validate(parameters).buffer_size) {}

void TrailingCoastRemover::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        for (auto& entry : histories_) cut_trailing_coasts(entry.second);
        while (!buffer_.empty()) release_oldest();
        child().push_frame(nullptr);
        return;
    }
    const std::int64_t current = next_frame_++;
    for (const auto& track : composite_frame(frame).composite_states)
        histories_[track_label(*track)].push_back({current, track});
    buffer_.emplace_back(current, std::move(frame));

    // A track missing from the current frame has ended (or paused): the
    // coasts it made after its last contact will never be followed by one.
    // Which frame a state came from is recorded here rather than read from
    // the track's times, so this holds whether or not the tracker's coast
    // filter renews the track's time.
    for (auto& entry : histories_) {
        History& history = entry.second;
        if (!history.empty() && history.back().frame != current) cut_trailing_coasts(history);
    }

    if (buffer_.size() > static_cast<std::size_t>(buffer_size_)) release_oldest();
}

void TrailingCoastRemover::cut_trailing_coasts(History& history) {
    while (!history.empty() && is_coast(*history.back().track)) history.pop_back();
}

void TrailingCoastRemover::release_oldest() {
    const std::int64_t oldest = buffer_.front().first;
    const auto& input = composite_frame(buffer_.front().second);

    // The tracks go out in label order, each with its state of this frame
    // unless that state was cut.
    std::vector<state::CompositeStatePtr> kept;
    for (auto entry = histories_.begin(); entry != histories_.end();) {
        History& history = entry->second;
        while (!history.empty() && history.front().frame == oldest) {
            kept.push_back(history.front().track);
            history.pop_front();
        }
        entry = history.empty() ? histories_.erase(entry) : std::next(entry);
    }
    auto output = with_tracks(input, std::move(kept));
    buffer_.pop_front();
    child().push_frame(output);
}

}  // namespace isbi
