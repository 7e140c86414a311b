#pragma once
#include "config/parameterless.h"
#include "pipeline/component.h"

namespace ostrel {

// Turns the tracker's TrackReportFrames back into CompositeStateFrames: one
// composite state per report (its track states, its contact's label and the
// contact itself as a ContactState), the coast report's contact in the
// meta-data. Component key
// "track_report_frame_to_composite_state_frame_converter".
class TrackReportFrameToCompositeStateFrameConverter : public cmpnt::MonoChildComponent {
public:
    static const config::Schema<config::NoParameters>& schema();

    TrackReportFrameToCompositeStateFrameConverter() = default;
    explicit TrackReportFrameToCompositeStateFrameConverter(const xml::Querier& querier) { schema().bind(querier); }

    void push_frame(cmpnt::FramePtr frame) override;
};

}  // namespace ostrel
