#pragma once
#include <set>
#include <vector>

namespace ipc {

// What changes when a neighbourhood moves one pixel to the right (+x):
//   leaving  - offsets o, relative to the old centre, whose pixel the new
//              window no longer covers (o - e not in the neighbourhood);
//   entering - offsets o, relative to the new centre, whose pixel the old
//              window did not cover (o + e not in the neighbourhood).
// A window sum moves by subtracting the leaving pixels and adding the
// entering ones instead of being summed afresh.
template <class Offset>
struct WindowSteps {
    std::vector<Offset> leaving;
    std::vector<Offset> entering;
};

// Offset is a struct with an int member dx and a strict order (operator<).
template <class Offset>
WindowSteps<Offset> steps_to_the_right(const std::vector<Offset>& offsets) {
    const std::set<Offset> present(offsets.begin(), offsets.end());
    WindowSteps<Offset> steps;
    for (const Offset& o : offsets) {
        Offset behind = o;
        --behind.dx;
        if (!present.count(behind)) steps.leaving.push_back(o);
        Offset ahead = o;
        ++ahead.dx;
        if (!present.count(ahead)) steps.entering.push_back(o);
    }
    return steps;
}

}  // namespace ipc
