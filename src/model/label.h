#pragma once
#include <cstdint>
#include <ostream>

namespace state {

// The label of a contact or track: the source that issued it and its number.
struct Label {
    std::int32_t src = 0;
    std::int32_t id = 0;

    friend bool operator==(const Label& a, const Label& b) { return a.src == b.src && a.id == b.id; }
    friend bool operator!=(const Label& a, const Label& b) { return !(a == b); }
    friend bool operator<(const Label& a, const Label& b) {
        return a.src < b.src || (a.src == b.src && a.id < b.id);
    }
    friend std::ostream& operator<<(std::ostream& out, const Label& l) {
        return out << "(" << l.src << ", " << l.id << ")";
    }
};

// The program-wide label-source counter: it starts at -1 and every taker
// (contact converters, trackers, relabelers, labelers) gets the next value.
std::int32_t take_label_source();

}  // namespace state
