#include "app/registration.h"
#include "geometry/footprint_registry.h"

namespace app {

void register_footprints() { ftprnt::register_footprints(); }
void register_uniform_footprints() { ftprnt::register_uniform_footprints(); }

}  // namespace app
