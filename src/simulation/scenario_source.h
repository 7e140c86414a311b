#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/schema.h"
#include "numerics/random.h"
#include "pipeline/component.h"
#include "simulation/clutter_placer.h"
#include "simulation/simulator.h"

namespace smltr {

// A source of simulated contact frames: it owns a fixed set of targets,
// moves them with simulators and observes them with a sensor simulator.
// Component key "scenario_source".
//
// Configuration (children):
//   "steps"                  number of frames (positive)
//   "start_time", "dt"       frame k holds at start_time + k dt (dt positive)
//   "targets"                number of targets (non-negative)
//   "birth_simulator"        one simulator element, applied once to each new
//                            target (e.g. a labeler and a steady-state draw)
//   "motion_simulator"       one simulator element, applied to every target
//                            once per frame after the first (its own "dt"
//                            should equal the scenario's)
//   "sensor"                 one simulator element, applied to every contact
//   "sensor_type"            the text of the SensorTypeState put in each
//                            frame's meta-data (beside a TimeState of the
//                            frame's time)
//   "detection_probability"  chance that a target yields a contact, in [0, 1]
//   "false_contacts"         optional: false contacts per frame (default 0)
//   "false_contact_region"   one uniform footprint element (required when
//                            false_contacts > 0); false contacts are drawn
//                            uniformly from it
//   "false_contact_simulator" optional simulator element, applied to the fake
//                            truth of each false contact before the sensor
//
// Targets are born at the first push with a TimeState at start_time. Every
// push then emits one CompositeStateFrame: the contacts of the detected
// targets in target order, then the false contacts. A contact holds a
// TruthState, a TimeState and a TrackLabelState (this source's label source,
// a running number from 1); the sensor adds the measurement. The truth is a
// snapshot of the target at the frame's time, so later steps never change a
// frame already sent. False contacts refer to a fake truth holding the drawn
// point (and no label). After the last frame the next push sends the end of
// the stream and returns false.
class ScenarioSource : public cmpnt::MonoChildComponent {
public:
    struct Parameters {
        int steps = 1;
        double start_time = 0;
        double dt = 1;
        int targets = 0;
        SimulatorPtr birth_simulator;
        SimulatorPtr motion_simulator;
        SimulatorPtr sensor;
        std::string sensor_type;
        double detection_probability = 1;
        int false_contacts = 0;
        std::shared_ptr<ClutterPlacer> false_contact_region;
        SimulatorPtr false_contact_simulator;
    };
    static const config::Schema<Parameters>& schema();

    explicit ScenarioSource(const Parameters& parameters);
    explicit ScenarioSource(const xml::Querier& querier) : ScenarioSource(schema().bind(querier)) {}
    bool push() override;

    // The targets as they stand now (empty before the first push).
    const std::vector<state::CompositeStatePtr>& targets() const { return targets_; }
    std::int32_t label_source() const { return label_source_; }

private:
    void advance_targets(double time);
    state::CompositeStatePtr make_contact(state::CompositeStatePtr truth, double time);

    int steps_;
    double start_time_;
    double dt_;
    int target_count_;
    SimulatorPtr birth_;
    SimulatorPtr motion_;
    SimulatorPtr sensor_;
    std::string sensor_type_;
    double detection_probability_;
    int false_contacts_ = 0;
    std::shared_ptr<ClutterPlacer> clutter_;
    SimulatorPtr clutter_simulator_;
    nmrc::UniformGenerator detection_;
    std::int32_t label_source_;

    std::vector<state::CompositeStatePtr> targets_;
    int next_step_ = 0;
    std::int32_t last_contact_ = 0;
    bool ended_ = false;
};

}  // namespace smltr
