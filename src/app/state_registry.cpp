#include "app/registration.h"
#include "model/contact_state.h"
#include "model/track_label_state.h"

namespace app {

void register_states() {
    using state::State;
    using util::create;
    auto& f = state::factory();
    util::register_key(f, "track_label_state", &create<State, state::TrackLabelState>);
    util::register_key(f, "contact_state", &create<State, state::ContactState>);
}

}  // namespace app
