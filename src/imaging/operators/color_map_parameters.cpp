#include "imaging/operators/color_map_parameters.h"

#include "util/exception.h"

namespace ipc {

xml::Querier color_map_parameter_holder(const xml::Querier& converter, const std::string& key) {
    xml::Querier color_map;
    xml::Querier inside;
    xml::Querier beside;
    const bool found_inside = converter.find_tag("color_map", color_map) && color_map.find_tag(key, inside);
    const bool found_beside = converter.find_tag(key, beside);
    if (found_inside && found_beside && inside.raw_text() != beside.raw_text())
        throw util::Exception("conflicting " + key + " in " + converter.name() + ": " + inside.raw_text() +
                              " inside color_map, " + beside.raw_text() + " beside it");
    if (found_inside) return color_map;
    if (found_beside) return converter;
    throw util::Exception("missing " + key + " in " + converter.name() +
                          " (expected inside color_map or directly in the converter)");
}

}  // namespace ipc
