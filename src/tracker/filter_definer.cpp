#include "tracker/filter_definer.h"

#include <sstream>

#include "model/composite_state_frame.h"
#include "model/states/sensor_type_state.h"
#include "tracker/structural_filters.h"
#include "tracker/track_report_frame.h"

namespace ostrel {
namespace {

const char* const kKey = "filter_definer";
const char* const kFilterForm = "an element holding one filter element";

// The sets of the "filters" element, one per child named by its sensor
// type, each read by the set's schema; every problem of every set is
// reported at once, under this key.
std::map<std::string, FilterSet> read_filter_sets(const xml::Querier& filters) {
    const std::vector<xml::Querier> sensor_types = filters.tags();
    if (sensor_types.empty()) throw util::Exception("no filters found in FilterDefiner");
    std::map<std::string, FilterSet> sets;
    const std::string key = kKey;
    config::Report report;
    for (const xml::Querier& sensor_type : sensor_types) {
        // A later element of the same name overwrites every slot.
        FilterSet set;
        FilterDefiner::filter_set_schema().read_into(sensor_type, set,
                                                     {key, "filters/" + sensor_type.name() + "/", report});
        sets[sensor_type.name()] = set;
    }
    report.raise_if_any();
    return sets;
}

// The first sensor type whose set lacks a required filter, or "".
std::string incomplete_set(const std::map<std::string, FilterSet>& sets) {
    for (const auto& [name, set] : sets)
        if (!set.initializer || !set.updater || !set.coaster || !set.continuation_updater) return name;
    return "";
}

std::string time_text(double time) {
    std::ostringstream text;
    text << time;
    return text.str();
}

}  // namespace

const config::Schema<FilterSet>& FilterDefiner::filter_set_schema() {
    using S = FilterSet;
    static const auto schema =
        config::Schema<S>("filter_set", "the filters of one sensor type")
            .product(&S::initializer, "initializer", kFilterForm, "starts a new track from a contact",
                     &make_filter_in)
            .product(&S::updater, "updater", kFilterForm, "extends any hypothesis with a contact", &make_filter_in)
            .product(&S::coaster, "coaster", kFilterForm, "extends a hypothesis without a contact", &make_filter_in)
            .product(&S::continuation_updater, "continuation_updater", kFilterForm,
                     "extends the track the contact's label names", &make_filter_in)
            .product(&S::terminator, "terminator", kFilterForm, "this sensor type's own terminator",
                     &make_filter_in, false)
            .product(&S::zombie_coaster, "zombie_coaster", kFilterForm, "this sensor type's own zombie coaster",
                     &make_filter_in, false);
    return schema;
}

const config::Schema<FilterDefiner::Parameters>& FilterDefiner::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(kKey, "attaches the filter set named by each frame's sensor type to its contacts")
            .product(&P::terminator, "terminator", kFilterForm, "decides that a hypothesis ends (the default)",
                     &make_filter_in)
            .product(&P::zombie_coaster, "zombie_coaster", kFilterForm,
                     "carries a hypothesis that neither coasts nor ends (the default)", &make_filter_in)
            .product(&P::filters, "filters",
                     "one element per sensor type, named by it, holding initializer, updater, coaster, "
                     "continuation_updater and optionally terminator and zombie_coaster",
                     "the filter sets", &read_filter_sets)
            .rule("filters", "at least one sensor type", [](const P& p) { return !p.filters.empty(); },
                  [](const P&) { return std::string("none"); })
            .rule("filters", "complete: initializer, updater, coaster and continuation_updater",
                  [](const P& p) { return incomplete_set(p.filters).empty(); },
                  [](const P& p) { return incomplete_set(p.filters); });
    return schema;
}

FilterDefiner::FilterDefiner(const Parameters& parameters) : filter_sets_(schema().validate(parameters).filters) {
    for (auto& [name, set] : filter_sets_) {
        if (!set.terminator) set.terminator = parameters.terminator;
        if (!set.zombie_coaster) set.zombie_coaster = parameters.zombie_coaster;
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
