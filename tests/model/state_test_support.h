#pragma once
#include <memory>
#include <sstream>
#include <string>

#include "geometry/footprint.h"
#include "model/state.h"
#include "model/state_registry.h"
#include "numerics/vector.h"
#include "xml/out_stream.h"
#include "xml/querier.h"

namespace state_test {

// A ball about the origin: the footprint the footprint-state tests build
// through the footprint factories, so that they do not depend on the
// geometry library's own footprints.
template <int N>
class TestBall : public ftprnt::FootprintTemplate<N, TestBall<N>> {
public:
    explicit TestBall(const xml::Querier& q) : radius(q.read<double>("radius")) {}
    bool contains(const nmrc::Vector<N>& p) const override { return nmrc::norm(p) <= radius; }
    void write(xml::OutStream& out) const override {
        out.tag("test_ball").element("radius", radius).end_tag();
    }
    double radius;
};

// Fills the global state factory (nested sets are read through it) and the
// test footprint keys, once per test program.
inline void register_all() {
    static const bool done = [] {
        state::register_states(state::factory());
        ftprnt::footprint_factory<1>().registerize("test_ball", &util::create<const ftprnt::Footprint<1>, TestBall<1>>);
        ftprnt::footprint_factory<2>().registerize("test_ball", &util::create<const ftprnt::Footprint<2>, TestBall<2>>);
        ftprnt::footprint_factory<3>().registerize("test_ball", &util::create<const ftprnt::Footprint<3>, TestBall<3>>);
        return true;
    }();
    (void)done;
}

// The element text is parsed as a file would be (its first line is skipped).
inline xml::Querier parse(const std::string& element) { return xml::Querier::parse("\n" + element); }

inline state::StatePtr read(const std::string& element) {
    register_all();
    return state::factory().create(parse(element));
}

// The written form of a state (or a frame) with the frame writer's
// precision of 15 digits.
template <class Written>
std::string written(const Written& s) {
    std::ostringstream text;
    xml::OutStream out(text, "  ");
    out.set_precision(15);
    s.write(out);
    out.close();
    return text.str();
}

// The written form on one line: newlines and indentation removed.
inline std::string compact(const std::string& xml_text) {
    std::string result;
    bool line_start = true;
    for (char c : xml_text) {
        if (c == '\n') {
            line_start = true;
            continue;
        }
        if (line_start && c == ' ') continue;
        line_start = false;
        result.push_back(c);
    }
    return result;
}

}  // namespace state_test
