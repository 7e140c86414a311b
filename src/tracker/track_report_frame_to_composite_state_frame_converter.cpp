#include "tracker/track_report_frame_to_composite_state_frame_converter.h"

#include "model/composite_state_frame.h"
#include "model/contact_state.h"
#include "model/track_label_state.h"
#include "tracker/track_report_frame.h"

namespace ostrel {

const config::Schema<config::NoParameters>& TrackReportFrameToCompositeStateFrameConverter::schema() {
    return config::parameterless("track_report_frame_to_composite_state_frame_converter",
                                 "turns the tracker's report frames back into frames of track states");
}

void TrackReportFrameToCompositeStateFrameConverter::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        child().push_frame(nullptr);
        return;
    }
    const auto& reports = frame->cast<frame::TrackReportFrame>();
    auto converted = std::make_shared<frame::CompositeStateFrame>(reports.time);
    // A frame read from a file may lack the coast report; its meta-data then
    // stays empty.
    if (reports.coast_track_report && reports.coast_track_report->contact)
        converted->meta_data->insert(
            std::make_shared<const state::ContactState>(reports.coast_track_report->contact));
    for (const TrackReportPtr& report : reports.track_reports) {
        // A report that no filter pass has reached has no track states yet.
        auto states = report->track_state
                          ? std::make_shared<state::CompositeState>(report->track_state->states)
                          : std::make_shared<state::CompositeState>();
        states->insert(std::make_shared<const state::TrackLabelState>(report->contact_label()));
        states->insert(std::make_shared<const state::ContactState>(report->contact));
        converted->composite_states.push_back(std::move(states));
    }
    child().push_frame(converted);
}

}  // namespace ostrel
