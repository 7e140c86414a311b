// The catalogue of frame keys, in registration order.
#include "app/registration.h"
#include "config/declare.h"
#include "model/composite_state_frame.h"
#include "tracker/association_frame.h"
#include "tracker/track_report_frame.h"

namespace app {

void register_frames() {
    using frame::Frame;
    auto& f = frame::factory();
    config::register_key<Frame, frame::CompositeStateFrame>(f, "composite_state_frame");
    config::register_key<Frame, frame::TrackReportFrame>(f, "track_report_frame");
    config::register_key<Frame, frame::AssociationFrame>(f, "association_frame");
}

}  // namespace app
