#include "app/registration.h"

namespace app {

void register_all() {
    static bool done = false;
    if (done) return;
    done = true;
    register_components();
    register_filters();
    register_frames();
    register_states();
    register_simulators();
    register_footprints();
    register_uniform_footprints();
}

}  // namespace app
