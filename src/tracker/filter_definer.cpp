#include "tracker/filter_definer.h"

#include <sstream>

#include "model/composite_state_frame.h"
#include "model/states/sensor_type_state.h"
#include "tracker/structural_filters.h"
#include "tracker/track_report_frame.h"

namespace ostrel {
namespace {

// A sensor type's own override of a default slot, or the default.
FilterPtr override_or(const xml::Querier& sensor_type, const std::string& slot,
                      const FilterPtr& fallback) {
    xml::Querier element;
    return sensor_type.find_tag(slot, element) ? make_filter_in(element) : fallback;
}

std::string time_text(double time) {
    std::ostringstream text;
    text << time;
    return text.str();
}

}  // namespace

FilterDefiner::FilterDefiner(const xml::Querier& querier)
    : default_terminator_(make_filter_in(querier.tag("terminator"))),
      default_zombie_coaster_(make_filter_in(querier.tag("zombie_coaster"))) {
    std::vector<xml::Querier> sensor_types = querier.tag("filters").tags();
    if (sensor_types.empty()) throw util::Exception("no filters found in FilterDefiner");
    for (const xml::Querier& sensor_type : sensor_types) {
        // A later element of the same name overwrites every slot.
        FilterSet& set = filter_sets_[sensor_type.name()];
        set.initializer = make_filter_in(sensor_type.tag("initializer"));
        set.updater = make_filter_in(sensor_type.tag("updater"));
        set.coaster = make_filter_in(sensor_type.tag("coaster"));
        set.continuation_updater = make_filter_in(sensor_type.tag("continuation_updater"));
        set.terminator = override_or(sensor_type, "terminator", default_terminator_);
        set.zombie_coaster = override_or(sensor_type, "zombie_coaster", default_zombie_coaster_);
    }
}

const FilterSet& FilterDefiner::filter_set(const std::string& sensor_type) const {
    auto found = filter_sets_.find(sensor_type);
    if (found == filter_sets_.end())
        throw util::Exception("no filter set for sensor type " + sensor_type);
    return found->second;
}

void FilterDefiner::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        child().push_frame(nullptr);
        return;
    }
    const auto& contacts = frame->cast<frame::CompositeStateFrame>();
    const state::CompositeStatePtr& meta_data = contacts.meta_data;
    auto sensor_type = meta_data->get_ptr<snsr::SensorTypeState>();
    if (!sensor_type)
        throw util::Exception("no sensor_type_state in the meta-data of the frame at time " +
                              time_text(contacts.time));
    const FilterSet& set = filter_set(sensor_type->sensor_type);

    // The frame-level reports never start or continue a track: those slots
    // hold the shared BadOp so that any such use fails loudly.
    const FilterPtr bad_op = shared_bad_op();
    auto reports = std::make_shared<frame::TrackReportFrame>(contacts.time);
    reports->coast_track_report = std::make_shared<TrackReport>(meta_data, set.coaster, bad_op, bad_op);
    reports->killer_track_report =
        std::make_shared<TrackReport>(meta_data, set.terminator, bad_op, bad_op);
    reports->zombie_track_report =
        std::make_shared<TrackReport>(meta_data, set.zombie_coaster, bad_op, bad_op);
    reports->track_reports.reserve(contacts.composite_states.size());
    for (const state::CompositeStatePtr& contact : contacts.composite_states)
        reports->track_reports.push_back(std::make_shared<TrackReport>(
            contact, set.updater, set.continuation_updater, set.initializer));
    child().push_frame(reports);
}

}  // namespace ostrel
