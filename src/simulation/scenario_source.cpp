#include "simulation/scenario_source.h"

#include <limits>

#include "model/composite_state_frame.h"
#include "model/label.h"
#include "model/states/sensor_type_state.h"
#include "model/states/time_state.h"
#include "model/states/truth_state.h"
#include "model/track_label_state.h"

namespace smltr {

namespace {

std::shared_ptr<ClutterPlacer> clutter_placer_in(const xml::Querier& slot) { return make_clutter_placer(slot.tag()); }

}  // namespace

const config::Schema<ScenarioSource::Parameters>& ScenarioSource::schema() {
    using P = Parameters;
    const std::string simulator = "a simulator element";
    static const auto schema =
        config::Schema<P>("scenario_source", "simulated contact frames of moving targets seen by a sensor")
            .required(&P::steps, "steps", "the number of frames", config::positive<int>())
            .required(&P::start_time, "start_time", "the time of the first frame", config::finite())
            .required(&P::dt, "dt", "the time between frames", config::positive_finite())
            .required(&P::targets, "targets", "the number of targets", config::non_negative<int>())
            .product(&P::birth_simulator, "birth_simulator", simulator, "applied once to each new target",
                     &make_child_simulator)
            .product(&P::motion_simulator, "motion_simulator", simulator,
                     "applied to every target once per frame after the first", &make_child_simulator)
            .product(&P::sensor, "sensor", simulator, "applied to every contact", &make_child_simulator)
            .required(&P::sensor_type, "sensor_type", "the sensor type put in each frame's meta-data")
            .required(&P::detection_probability, "detection_probability", "the chance that a target is seen",
                      config::probability())
            .optional(&P::false_contacts, "false_contacts", "false contacts per frame", config::non_negative<int>())
            .product(&P::false_contact_region, "false_contact_region", "a uniform footprint element",
                     "where false contacts are drawn from", &clutter_placer_in, false)
            .product(&P::false_contact_simulator, "false_contact_simulator", simulator,
                     "applied to the fake truth of each false contact", &make_child_simulator, false)
            .rule("false_contact_region", "present when false_contacts > 0",
                  [](const P& p) { return p.false_contacts == 0 || p.false_contact_region; },
                  [](const P& p) { return std::to_string(p.false_contacts); },
                  "{key}: false_contacts > 0 needs a false_contact_region: false_contacts = {value}");
    return schema;
}

ScenarioSource::ScenarioSource(const Parameters& parameters)
    : steps_(schema().validate(parameters).steps),
      start_time_(parameters.start_time),
      dt_(parameters.dt),
      target_count_(parameters.targets),
      birth_(parameters.birth_simulator),
      motion_(parameters.motion_simulator),
      sensor_(parameters.sensor),
      sensor_type_(parameters.sensor_type),
      detection_probability_(parameters.detection_probability),
      false_contacts_(parameters.false_contacts),
      clutter_(parameters.false_contact_region),
      clutter_simulator_(parameters.false_contact_simulator),
      label_source_(state::take_label_source()) {}

void ScenarioSource::advance_targets(double time) {
    const auto time_state = std::make_shared<const state::TimeState>(time);
    if (next_step_ == 0) {
        for (int k = 0; k < target_count_; ++k) {
            auto target = std::make_shared<state::CompositeState>();
            target->insert(time_state);
            birth_->simulate(*target);
            targets_.push_back(std::move(target));
        }
        return;
    }
    for (const auto& target : targets_) {
        target->insert(time_state);
        motion_->simulate(*target);
    }
}

state::CompositeStatePtr ScenarioSource::make_contact(state::CompositeStatePtr truth, double time) {
    if (last_contact_ == std::numeric_limits<std::int32_t>::max())
        throw util::Exception("scenario_source: contact numbers exhausted");
    auto contact = std::make_shared<state::CompositeState>();
    contact->insert(std::make_shared<const state::TruthState>(std::move(truth)));
    contact->insert(std::make_shared<const state::TimeState>(time));
    contact->insert(
        std::make_shared<const state::TrackLabelState>(state::Label{label_source_, ++last_contact_}));
    sensor_->simulate(*contact);
    return contact;
}

bool ScenarioSource::push() {
    if (next_step_ >= steps_) {
        // The end of the stream is passed on exactly once.
        if (!ended_) {
            ended_ = true;
            child().push_frame(nullptr);
        }
        return false;
    }
    // t_k = start_time + k dt
    const double time = start_time_ + next_step_ * dt_;
    advance_targets(time);
    ++next_step_;

    auto frame = std::make_shared<frame::CompositeStateFrame>(time);
    // The frame's time serves the filters' coast and termination passes,
    // which see the meta-data in place of a contact.
    frame->meta_data->insert(std::make_shared<const state::TimeState>(time));
    frame->meta_data->insert(std::make_shared<const snsr::SensorTypeState>(sensor_type_));
    for (const auto& target : targets_) {
        // A target is seen when u < p_d, u uniform on (0, 1).
        if (!(detection_.next() < detection_probability_)) continue;
        // The contact keeps the target as it is now, not as it will become.
        auto snapshot = std::make_shared<state::CompositeState>(*target);
        frame->composite_states.push_back(make_contact(std::move(snapshot), time));
    }
    for (int k = 0; k < false_contacts_; ++k) {
        auto clutter = std::make_shared<state::CompositeState>();
        clutter->insert(std::make_shared<const state::TimeState>(time));
        clutter_->place(*clutter);
        if (clutter_simulator_) clutter_simulator_->simulate(*clutter);
        frame->composite_states.push_back(make_contact(std::move(clutter), time));
    }
    child().push_frame(std::move(frame));
    return true;
}

}  // namespace smltr
