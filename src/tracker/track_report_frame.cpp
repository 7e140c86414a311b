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

void write_frame_level_report(xml::OutStream& out, const char* name, const TrackReportPtr& report) {
    if (!report) return;
    out.tag(name);
    report->write(out);
    out.end_tag();
}

}  // namespace

TrackReportFrame::TrackReportFrame(const xml::Querier& querier) : Frame(querier) {
    for (const xml::Querier& report : querier.tag("track_reports").tags())
        track_reports.push_back(std::make_shared<TrackReport>(report));
    xml::Querier element;
    if (querier.find_tag("coast_track_report", element))
        coast_track_report = read_frame_level_report(element);
    if (querier.find_tag("killer_track_report", element))
        killer_track_report = read_frame_level_report(element);
}

void TrackReportFrame::write(xml::OutStream& out) const {
    out.tag("track_report_frame");
    out.element("time", time);
    write_frame_level_report(out, "coast_track_report", coast_track_report);
    write_frame_level_report(out, "killer_track_report", killer_track_report);
    out.tag("track_reports");
    for (const TrackReportPtr& report : track_reports) report->write(out);
    out.end_tag();
    out.end_tag();
}

}  // namespace frame
