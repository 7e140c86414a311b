#pragma once
#include <sstream>
#include <string>

#include "geometry/footprint.h"
#include "geometry/footprint_registry.h"
#include "geometry/uniform_footprint.h"
#include "xml/out_stream.h"
#include "xml/querier.h"

namespace ftprnt::testing {

// Fills the six factories once per test program.
inline void ensure_registered() {
    static const bool done = [] {
        register_footprints();
        register_uniform_footprints();
        return true;
    }();
    (void)done;
}

// A Querier standing on the root of `element` (a document without the
// declaration line).
inline xml::Querier parse(const std::string& element) {
    return xml::Querier::parse("<?xml version=\"1.0\"?>\n" + element);
}

template <int N>
FootprintPtr<N> build(const std::string& element) {
    ensure_registered();
    return make_footprint<N>(parse(element));
}

template <int N>
UniformFootprintPtr<N> build_uniform(const std::string& element) {
    ensure_registered();
    return make_uniform_footprint<N>(parse(element));
}

template <int N>
std::string written(const Footprint<N>& footprint) {
    std::ostringstream text;
    xml::OutStream out(text, "");
    footprint.write(out);
    return text.str();
}

}  // namespace ftprnt::testing
