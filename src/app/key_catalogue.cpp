#include "app/key_catalogue.h"

#include "geometry/footprint.h"
#include "geometry/uniform_footprint.h"
#include "imaging/operators/mask_factory.h"
#include "model/frame.h"
#include "model/state.h"
#include "pipeline/component.h"
#include "simulation/simulator.h"
#include "tracker/filter.h"
#include "util/exception.h"
#include "util/nearest_names.h"

namespace app {

namespace {

bool selected(const std::string& family, const std::string& wanted) {
    return wanted.empty() || family == wanted || family.rfind(wanted + "_", 0) == 0;
}

}  // namespace

std::vector<KeyFamily> key_families() {
    return {
        {"components", cmpnt::factory().keys()},
        {"filters", ostrel::filter_factory().keys()},
        {"frames", frame::factory().keys()},
        {"states", state::factory().keys()},
        {"simulators", smltr::factory().keys()},
        {"footprints_1d", ftprnt::footprint_factory<1>().keys()},
        {"footprints_2d", ftprnt::footprint_factory<2>().keys()},
        {"footprints_3d", ftprnt::footprint_factory<3>().keys()},
        {"uniform_footprints_1d", ftprnt::uniform_footprint_factory<1>().keys()},
        {"uniform_footprints_2d", ftprnt::uniform_footprint_factory<2>().keys()},
        {"uniform_footprints_3d", ftprnt::uniform_footprint_factory<3>().keys()},
        {"masks", ipc::mask_factory().keys()},
    };
}

void list_keys(std::ostream& out, const std::string& family) {
    const std::vector<KeyFamily> families = key_families();
    bool any = false;
    for (const KeyFamily& entry : families) {
        if (!selected(entry.name, family)) continue;
        if (any) out << "\n";
        any = true;
        out << entry.name << " (" << entry.keys.size() << " keys)\n";
        for (const std::string& key : entry.keys) out << "  " << key << "\n";
    }
    if (any) return;
    std::vector<std::string> names;
    std::string listed;
    for (const KeyFamily& entry : families) {
        names.push_back(entry.name);
        listed += (listed.empty() ? "" : ", ") + entry.name;
    }
    names.push_back("footprints");
    names.push_back("uniform_footprints");
    throw util::Exception("unknown key family: " + family + util::did_you_mean(family, names) +
                          "; the families are " + listed);
}

}  // namespace app
