#include "filters/tail_gater.h"

#include "model/states/tail_gater_state.h"
#include "model/states/time_state.h"
#include "model/track_label_state.h"

namespace ostrel {

const config::Schema<config::NoParameters>& TailGaterInitializer::schema() {
    return config::parameterless("tail_gater_initializer", "records the contact's label and time in the track's tail");
}

void TailGaterInitializer::update(const state::CompositeState& contact, TrackState& track) const {
    const state::Label label = contact.get<state::TrackLabelState>().label;
    const double time = contact.get<state::TimeState>().time;
    TailGaterState::Records records;
    records[label.src] = TailGaterState::Record{label.id, time};
    track.states.insert(std::make_shared<const TailGaterState>(std::move(records)));
}

const config::Schema<TailGaterUpdater::Parameters>& TailGaterUpdater::schema() {
    static const auto schema =
        config::Schema<Parameters>("tail_gater_updater",
                                   "rejects a contact from a source whose other contact the track took lately")
            .required(&Parameters::tail_time, "tail_time", "how long a source's last contact is remembered");
    return schema;
}

void TailGaterUpdater::update(const state::CompositeState& contact, TrackState& track) const {
    const state::Label label = contact.get<state::TrackLabelState>().label;
    const double time = contact.get<state::TimeState>().time;
    const auto& tail = track.states.get<TailGaterState>();
    const auto recorded = tail.records.find(label.src);
    if (recorded != tail.records.end() && label.id != recorded->second.id &&
        tail_time_ >= time - recorded->second.time)
        track.gates = false;
    track.states.insert(
        std::make_shared<const TailGaterState>(tail.with(label.src, label.id, time)));
}

}  // namespace ostrel
