#include "tracker/report_test_support.h"

#include "model/composite_state_frame.h"
#include "model/contact_state.h"
#include "model/states/frame_label_state.h"
#include "model/states/sensor_type_state.h"
#include "model/track_label_state.h"
#include "tracker/association_frame.h"
#include "tracker/structural_filters.h"
#include "tracker/track_report_frame.h"

namespace report_test {

void AppendMark::update(const state::CompositeState&, ostrel::TrackState& track) const {
    track.states.insert(std::make_shared<const TraceState>(trace_of(track.states) + mark_));
}

void AppendMark::write(xml::OutStream& out) const {
    out.tag("append_mark").element("mark", mark_).end_tag();
}

void TakeContactTrace::update(const state::CompositeState& contact, ostrel::TrackState& track) const {
    track.states.insert(
        std::make_shared<const TraceState>(trace_of(track.states) + trace_of(contact)));
}

Score::Score(const xml::Querier& querier)
    : amount_(querier.read<double>("amount")), gates_(querier.read_bool_optional("gates", true)) {}

void Score::update(const state::CompositeState&, ostrel::TrackState& track) const {
    track.log_likelihood += amount_;
    if (!gates_) track.gates = false;
}

void register_keys() {
    using ostrel::Filter;
    auto& filters = ostrel::filter_factory();
    filters.registerize("composite", util::create<const Filter, ostrel::CompositeFilter>);
    filters.registerize("no_op", util::create<const Filter, ostrel::NoOp>);
    filters.registerize("bad_op", ostrel::create_bad_op);
    filters.registerize("append_mark", util::create<const Filter, AppendMark>);
    filters.registerize("take_contact_trace", util::create<const Filter, TakeContactTrace>);
    filters.registerize("score", util::create<const Filter, Score>);

    auto& states = state::factory();
    states.registerize("track_label_state", util::create<state::State, state::TrackLabelState>);
    states.registerize("frame_label_state", util::create<state::State, state::FrameLabelState>);
    states.registerize("contact_state", util::create<state::State, state::ContactState>);
    states.registerize("sensor_type_state", util::create<state::State, snsr::SensorTypeState>);
    states.registerize("trace_state", util::create<state::State, TraceState>);

    auto& frames = frame::factory();
    frames.registerize("composite_state_frame",
                       util::create<frame::Frame, frame::CompositeStateFrame>);
    frames.registerize("track_report_frame", util::create<frame::Frame, frame::TrackReportFrame>);
    frames.registerize("association_frame", util::create<frame::Frame, frame::AssociationFrame>);
}

std::string trace_of(const state::CompositeState& states) {
    return states.has<TraceState>() ? states.get<TraceState>().text : "";
}

state::CompositeStatePtr contact(state::Label label, const std::string& trace) {
    auto set = std::make_shared<state::CompositeState>();
    set->insert(std::make_shared<const state::TrackLabelState>(label));
    set->insert(std::make_shared<const TraceState>(trace));
    return set;
}

}  // namespace report_test
