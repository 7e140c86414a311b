#include "simulation/scenario_source.h"

#include <limits>

#include "model/composite_state_frame.h"
#include "model/label.h"
#include "model/states/sensor_type_state.h"
#include "model/states/time_state.h"
#include "model/states/truth_state.h"
#include "model/track_label_state.h"
#include "simulation/parameter_checks.h"

namespace smltr {

namespace {
const char* const owner = "scenario_source";
}  // namespace

ScenarioSource::ScenarioSource(const xml::Querier& querier)
    : steps_(querier.read<int>("steps")),
      start_time_(querier.read<double>("start_time")),
      dt_(querier.read<double>("dt")),
      target_count_(querier.read<int>("targets")) {
    require_positive(owner, "steps", steps_);
    require_finite(owner, "start_time", start_time_);
    require_positive(owner, "dt", dt_);
    require_non_negative(owner, "targets", target_count_);

    birth_ = make_child_simulator(querier.tag("birth_simulator"));
    motion_ = make_child_simulator(querier.tag("motion_simulator"));
    sensor_ = make_child_simulator(querier.tag("sensor"));
    sensor_type_ = querier.read_raw("sensor_type");
    detection_probability_ = querier.read<double>("detection_probability");
    require_probability(owner, "detection_probability", detection_probability_);

    querier.read_optional("false_contacts", false_contacts_);
    require_non_negative(owner, "false_contacts", false_contacts_);
    xml::Querier region;
    if (querier.find_tag("false_contact_region", region)) {
        clutter_ = make_clutter_placer(region.tag());
    } else if (false_contacts_ > 0) {
        throw util::Exception(
            "scenario_source: false_contacts > 0 needs a false_contact_region: false_contacts = " +
            std::to_string(false_contacts_));
    }
    xml::Querier clutter_simulator;
    if (querier.find_tag("false_contact_simulator", clutter_simulator))
        clutter_simulator_ = make_child_simulator(clutter_simulator);

    label_source_ = state::take_label_source();
}

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
