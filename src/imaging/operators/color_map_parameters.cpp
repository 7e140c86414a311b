#include "imaging/operators/color_map_parameters.h"

#include <memory>

#include "util/exception.h"

namespace ipc {

xml::Querier color_map_parameters_inside(const xml::Querier& converter) {
    xml::Querier color_map;
    if (!converter.find_tag("color_map", color_map)) return converter;
    // Copies of the two elements; the other elements are shared.
    auto root = std::make_shared<xml::Tag>(converter.current());
    root->children = std::make_shared<xml::Tag::Children>();
    auto map = std::make_shared<xml::Tag>(color_map.current());
    map->children = std::make_shared<xml::Tag::Children>(*color_map.current().children);
    map->parent = root.get();
    for (const util::CountedPtr<xml::Tag>& child : *converter.current().children) {
        if (child.get() == &color_map.current()) {
            root->children->push_back(map);
            continue;
        }
        xml::Querier inside;
        if (child->name != "color_map" && color_map.find_tag(child->name, inside)) {
            if (inside.raw_text() != child->text)
                throw util::Exception("conflicting " + child->name + " in " + converter.name() + ": " +
                                      inside.raw_text() + " inside color_map, " + child->text + " beside it");
            continue;  // the same text in both places is read once
        }
        (child->name == "color_map" ? root->children : map->children)->push_back(child);
    }
    return xml::Querier(root);
}

const config::Schema<config::NoParameters>& no_color_map_parameters() {
    static const config::Schema<config::NoParameters> schema("color_map", "a colour map without parameters");
    return schema;
}

config::Check<int> integer_pixel_value(int lowest, int highest) {
    return config::in_range(lowest, highest)
        .says("invalid {entry} = {value} in color_map (expected an integer from " + config::quote(lowest) + " to " +
              config::quote(highest) + ")");
}

config::Check<double> real_pixel_value(double lowest, double highest) {
    return config::in_range(lowest, highest)
        .says("invalid {entry} = {value} in color_map (expected a finite number from " + config::quote(lowest) +
              " to " + config::quote(highest) + ")");
}

}  // namespace ipc
