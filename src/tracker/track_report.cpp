#include "tracker/track_report.h"

#include "model/track_label_state.h"
#include "util/exception.h"

namespace ostrel {
namespace {

// The contact element holds either the states themselves or, as the
// program writes it, one "composite_state" element holding them.
state::CompositeStatePtr read_contact(const xml::Querier& contact) {
    std::vector<xml::Querier> children = contact.tags();
    if (children.size() == 1 && children.front().name() == "composite_state")
        return std::make_shared<state::CompositeState>(children.front());
    return std::make_shared<state::CompositeState>(contact);
}

// A slot element holds one filter element; an empty slot (a filter whose
// write produces nothing, such as a composite) reads as no filter.
FilterPtr read_slot(const xml::Querier& slot) {
    if (slot.current().children->empty()) return nullptr;
    return make_filter_in(slot);
}

// Finds the slot under its read name or, failing that, its written name
// (with a trailing underscore); a report holding neither fails on the read
// name.
FilterPtr read_slot(const xml::Querier& report, const std::string& name) {
    xml::Querier slot;
    if (report.find_tag(name, slot) || report.find_tag(name + "_", slot)) return read_slot(slot);
    return read_slot(report.tag(name));
}

void write_slot(xml::OutStream& out, const char* name, const FilterPtr& filter) {
    out.tag(name);
    if (filter) filter->write(out);
    out.end_tag();
}

}  // namespace

TrackReport::TrackReport(state::CompositeStatePtr contact, FilterPtr updater,
                         FilterPtr continuation_updater, FilterPtr initializer)
    : contact(std::move(contact)),
      updater(std::move(updater)),
      continuation_updater(std::move(continuation_updater)),
      initializer(std::move(initializer)) {}

TrackReport::TrackReport(const xml::Querier& querier)
    : contact(read_contact(querier.tag("track_contact"))) {
    xml::Querier track;
    if (querier.find_tag("track_state", track)) track_state = std::make_shared<const TrackState>(track);
    updater = read_slot(querier, "updater");
    continuation_updater = read_slot(querier, "continuation_updater");
    initializer = read_slot(querier, "initializer");
}

const state::Label& TrackReport::contact_label() const {
    if (!contact) throw util::Exception("State::cast()");
    return contact->get<state::TrackLabelState>().label;
}

void TrackReport::relabel(const state::Label& label) {
    auto label_state = std::make_shared<const state::TrackLabelState>(label);
    auto relabelled = contact ? std::make_shared<state::CompositeState>(*contact)
                              : std::make_shared<state::CompositeState>();
    relabelled->insert(label_state);
    contact = std::move(relabelled);
    if (track_state) {
        auto copy = std::make_shared<TrackState>(*track_state);
        copy->label = label;
        copy->states.insert(label_state);
        track_state = std::move(copy);
    }
}

const TrackState& TrackReport::initialize() {
    return apply(initializer, "initializer", TrackState(contact_label()));
}

const TrackState& TrackReport::update(const TrackState& parent) {
    return apply(updater, "updater", TrackState::extending(parent));
}

const TrackState& TrackReport::continue_from(const TrackState& parent) {
    return apply(continuation_updater, "continuation updater", TrackState::extending(parent));
}

const TrackState& TrackReport::apply(const FilterPtr& filter, const char* slot, TrackState fresh) {
    // A report read from a file may carry an empty slot; applying it is an
    // error, not a crash.
    if (!filter) throw util::Exception(std::string("track report has no ") + slot);
    if (!contact) throw util::Exception("track report has no contact");
    auto result = std::make_shared<TrackState>(std::move(fresh));
    filter->update(*contact, *result);
    track_state = result;
    return *result;
}

void TrackReport::write(xml::OutStream& out) const {
    out.tag("track_report");
    out.tag("track_contact");
    if (contact) contact->write(out);
    out.end_tag();
    if (track_state) track_state->write(out);
    write_slot(out, "updater", updater);
    write_slot(out, "continuation_updater_", continuation_updater);
    write_slot(out, "initializer_", initializer);
    out.end_tag();
}

}  // namespace ostrel
