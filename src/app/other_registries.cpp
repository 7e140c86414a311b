#include "app/registration.h"

namespace app {

void register_filters() {}
void register_simulators() {}

}  // namespace app
