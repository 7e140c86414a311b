// The catalogue of frame keys, in registration order.
#include "app/registration.h"
#include "config/declare.h"
#include "model/composite_state_frame.h"
#include "tracker/association_frame.h"
#include "tracker/track_report_frame.h"

namespace app {

void register_frames() {
    using frame::Frame;
    using util::create;
    auto& f = frame::factory();
    config::register_key<Frame, frame::CompositeStateFrame>(f, "composite_state_frame");
    util::register_key(f, "track_report_frame", &create<Frame, frame::TrackReportFrame>);
    util::register_key(f, "association_frame", &create<Frame, frame::AssociationFrame>);
}

}  // namespace app
