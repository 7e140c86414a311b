#include "app/registration.h"
#include "model/state_registry.h"

namespace app {

// Every state and contact kind; the image states follow once the imaging
// keys are registered.
void register_states() { state::register_states(state::factory()); }

}  // namespace app
