#include "tracker/track_report_frame.h"

#include "model/track_label_state.h"

namespace frame {
namespace {

using ostrel::TrackReport;
using ostrel::TrackReportPtr;

// A frame-level report element holds either a whole "track_report" element
// (the form the program writes; its filters are kept) or one element whose
// children are the contact's states (no filters). In both cases a label
// found among the contact's states becomes a plain TrackLabelState, so a
// frame label reads back as a track label.
TrackReportPtr read_frame_level_report(const xml::Querier& element) {
    xml::Querier first = element.tag();
    TrackReportPtr report;
    if (first.name() == "track_report") {
        report = std::make_shared<TrackReport>(first);
    } else {
        report = std::make_shared<TrackReport>();
        std::vector<xml::Querier> children = first.tags();
        bool nested = children.size() == 1 && children.front().name() == "composite_state";
        report->contact = std::make_shared<state::CompositeState>(nested ? children.front() : first);
    }
    if (report->contact && report->contact->has<state::TrackLabelState>()) {
        auto contact = std::make_shared<state::CompositeState>(*report->contact);
        contact->insert(std::make_shared<const state::TrackLabelState>(report->contact_label()));
        report->contact = std::move(contact);
    }
    return report;
}

// Every child of "track_reports", each a report.
std::vector<TrackReportPtr> read_reports(const xml::Querier& reports) {
    std::vector<TrackReportPtr> read;
    for (const xml::Querier& report : reports.tags()) read.push_back(std::make_shared<TrackReport>(report));
    return read;
}

void write_frame_level_report(xml::OutStream& out, const char* name, const TrackReportPtr& report) {
    if (!report) return;
    out.tag(name);
    report->write(out);
    out.end_tag();
}

}  // namespace

const config::Schema<TrackReportFrame::Form>& TrackReportFrame::schema() {
    const std::string frame_level_form = "an element holding a track_report, or one element holding states";
    static const auto schema =
        config::Schema<Form>(key(), "one time step of the tracker's reports")
            .required(&Form::time, "time", "the frame's time", config::finite_text())
            .product(&Form::track_reports, "track_reports", "a list of track_report elements",
                     "the reports of the frame's contacts, in contact order", &read_reports)
            .product(&Form::coast_track_report, "coast_track_report", frame_level_form,
                     "the report that coasts every track without a contact", &read_frame_level_report, false)
            .product(&Form::killer_track_report, "killer_track_report", frame_level_form,
                     "the report that ends tracks", &read_frame_level_report, false);
    return schema;
}

TrackReportFrame::TrackReportFrame(const Form& form)
    : Frame(form.time),
      track_reports(form.track_reports),
      coast_track_report(form.coast_track_report),
      killer_track_report(form.killer_track_report) {}

void TrackReportFrame::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time);
    write_frame_level_report(out, "coast_track_report", coast_track_report);
    write_frame_level_report(out, "killer_track_report", killer_track_report);
    out.tag("track_reports");
    for (const TrackReportPtr& report : track_reports) report->write(out);
    out.end_tag();
    out.end_tag();
}

}  // namespace frame
