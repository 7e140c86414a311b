#include "app/registration.h"
#include "imaging/image_component_registry.h"
#include "model/state_registry.h"

namespace app {

// Every state and contact kind, then the image-segment states.
void register_states() {
    state::register_states(state::factory());
    ipc::register_image_states(state::factory());
}

}  // namespace app
