#pragma once
#include "pipeline/component.h"

namespace ostrel {

// Turns the tracker's TrackReportFrames back into CompositeStateFrames: one
// composite state per report (its track states, its contact's label and the
// contact itself as a ContactState), the coast report's contact in the
// meta-data. Component key
// "track_report_frame_to_composite_state_frame_converter".
class TrackReportFrameToCompositeStateFrameConverter : public cmpnt::MonoChildComponent {
public:
    TrackReportFrameToCompositeStateFrameConverter() = default;
    explicit TrackReportFrameToCompositeStateFrameConverter(const xml::Querier&) {}

    void push_frame(cmpnt::FramePtr frame) override;
};

}  // namespace ostrel
