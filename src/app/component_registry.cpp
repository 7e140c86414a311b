// The catalogue of component keys, in registration order.
#include "app/registration.h"
#include "pipeline/component_chain.h"
#include "pipeline/frame_counter.h"
#include "pipeline/frame_reader.h"
#include "pipeline/frame_writer.h"
#include "pipeline/pass_through.h"
#include "pipeline/splitter.h"
#include "tracker/filter_definer.h"
#include "tracker/track_report_frame_to_composite_state_frame_converter.h"

namespace app {

void register_components() {
    using cmpnt::Component;
    using util::create;
    auto& f = cmpnt::factory();

    // Generic stages.
    util::register_key(f, "component_chain", &create<Component, cmpnt::ComponentChain>);
    util::register_key(f, "frame_counter", &create<Component, cmpnt::FrameCounter>);
    util::register_key(f, "splitter", &create<Component, cmpnt::Splitter>);
    util::register_key(f, "pass_through", &create<Component, cmpnt::PassThrough>);
    util::register_key(f, "terminator", &create<Component, cmpnt::Terminator>);
    util::register_key(f, "frame_writer", &create<Component, cmpnt::FrameWriter>);

    // Tracking.
    util::register_key(f, "filter_definer", &create<Component, ostrel::FilterDefiner>);
    util::register_key(f, "track_report_frame_to_composite_state_frame_converter",
                       &create<Component, ostrel::TrackReportFrameToCompositeStateFrameConverter>);

    // Sources added after the catalogue above.
    util::register_key(f, "frame_reader", &create<Component, cmpnt::FrameReader>);
}

}  // namespace app
