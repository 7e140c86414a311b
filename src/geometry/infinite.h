#pragma once
#include <string>

#include "config/schema.h"
#include "geometry/footprint.h"

namespace ftprnt {

// The whole N-dimensional space: contains every point, infinite coordinates
// included. Stands for "no restriction" wherever a footprint is required.
template <int N>
class Infinite : public FootprintTemplate<N, Infinite<N>> {
public:
    // "infinite_1d", "infinite_2d", "infinite_3d"; composed once, then kept.
    static const std::string& key() {
        static const std::string composed = "infinite_" + std::to_string(N) + "d";
        return composed;
    }

    // The element has no children.
    struct Parameters {};
    static const config::Schema<Parameters>& schema() {
        static const config::Schema<Parameters> schema(key(), "the whole space: contains every point");
        return schema;
    }

    Infinite() = default;
    explicit Infinite(const xml::Querier& element) { schema().bind(element); }

    bool contains(const nmrc::Vector<N>&) const override { return true; }
    void write(xml::OutStream& out) const override {
        out.tag(key());
        out.end_tag();
    }
};

}  // namespace ftprnt
