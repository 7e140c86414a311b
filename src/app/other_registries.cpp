#include "app/registration.h"
#include "filters/filter_registry.h"
#include "simulation/simulator_registry.h"
#include "tracker/filter.h"

namespace app {

void register_filters() { ostrel::register_filters(ostrel::filter_factory()); }
void register_simulators() { smltr::register_simulators(); }

}  // namespace app
