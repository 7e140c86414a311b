#pragma once
#include <vector>

#include "config/schema.h"
#include "model/frame.h"
#include "tracker/track_report.h"

namespace frame {

// One time step of the tracker's input or output: the reports of the
// frame's contacts (in contact order) and the frame-level coast, killer and
// zombie reports, any of which may be null. Frame key "track_report_frame".
class TrackReportFrame : public Frame {
public:
    explicit TrackReportFrame(double time) : Frame(time) {}
    // Reads "time", "track_reports" and, when present, "coast_track_report"
    // and "killer_track_report"; each report in either of the forms
    // TrackReport accepts. The zombie report is never read (nor written).
    // What the element holds.
    struct Form {
        double time = 0.0;
        std::vector<ostrel::TrackReportPtr> track_reports;
        ostrel::TrackReportPtr coast_track_report;
        ostrel::TrackReportPtr killer_track_report;
    };
    static const config::Schema<Form>& schema();

    explicit TrackReportFrame(const Form& form);
    explicit TrackReportFrame(const xml::Querier& querier) : TrackReportFrame(schema().bind(querier)) {}

    static const char* key() { return "track_report_frame"; }

    static int static_type_id() { return identity<TrackReportFrame>(); }
    int type_id() const override { return static_type_id(); }
    // "track_report_frame": "time", "coast_track_report" and
    // "killer_track_report" when present, then "track_reports".
    void write(xml::OutStream& out) const override;

    std::vector<ostrel::TrackReportPtr> track_reports;
    ostrel::TrackReportPtr coast_track_report;
    ostrel::TrackReportPtr killer_track_report;
    ostrel::TrackReportPtr zombie_track_report;
};

using TrackReportFramePtr = util::CountedPtr<TrackReportFrame>;

}  // namespace frame
