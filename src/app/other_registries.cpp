#include "app/registration.h"

namespace app {

void register_filters() {}
void register_simulators() {}
void register_footprints() {}
void register_uniform_footprints() {}

}  // namespace app
