#include "simulation/clutter_placer.h"

namespace smltr {

std::unique_ptr<ClutterPlacer> make_clutter_placer(const xml::Querier& region) {
    const std::string& key = region.name();
    if (ftprnt::uniform_footprint_factory<1>().has(key))
        return std::make_unique<UniformClutterPlacer<1>>(ftprnt::make_uniform_footprint<1>(region));
    if (ftprnt::uniform_footprint_factory<2>().has(key))
        return std::make_unique<UniformClutterPlacer<2>>(ftprnt::make_uniform_footprint<2>(region));
    if (ftprnt::uniform_footprint_factory<3>().has(key))
        return std::make_unique<UniformClutterPlacer<3>>(ftprnt::make_uniform_footprint<3>(region));
    throw util::Exception("Unknown uniform footprint: key = " + key);
}

}  // namespace smltr
