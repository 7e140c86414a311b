#pragma once
#include <string>

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

    Infinite() = default;
    // The element has no children.
    explicit Infinite(const xml::Querier&) {}

    bool contains(const nmrc::Vector<N>&) const override { return true; }
    void write(xml::OutStream& out) const override {
        out.tag(key());
        out.end_tag();
    }
};

}  // namespace ftprnt
