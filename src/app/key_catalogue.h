#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace app {

// The keys one factory family holds, as a configuration may use them.
struct KeyFamily {
    std::string name;  // "components", "footprints_2d", ...
    std::vector<std::string> keys;  // byte-wise order
};

// Every family, in start-up order, with the keys registered so far (call
// register_all() first): components, filters, frames, states, simulators,
// footprints_1d/2d/3d, uniform_footprints_1d/2d/3d, masks.
std::vector<KeyFamily> key_families();

// Writes the keys grouped by family: a heading "NAME (COUNT keys)" and one
// indented key per line, families separated by a blank line. A non-empty
// family selects that family, or every family whose name starts with it and
// "_" ("footprints" gives the three footprint families); any other name
// throws, naming the families.
void list_keys(std::ostream& out, const std::string& family);

}  // namespace app
