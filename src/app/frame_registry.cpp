// The catalogue of frame keys, in registration order.
#include "app/registration.h"
#include "model/composite_state_frame.h"

namespace app {

void register_frames() {
    using frame::Frame;
    using util::create;
    auto& f = frame::factory();
    util::register_key(f, "composite_state_frame", &create<Frame, frame::CompositeStateFrame>);
}

}  // namespace app
