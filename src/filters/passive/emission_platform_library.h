#pragma once
#include <vector>

#include "model/fusion/frequency_footprint_state.h"
#include "xml/querier.h"

namespace ostrel {

// The frequency bands in which each platform type emits: read from a
// "platforms" element holding one child per platform type, each with "type"
// (an index below the number of children, each listed once) and
// "frequency_intervals" (one "frequency_interval" child per band, each with
// "min" and "max").
class EmissionPlatformLibrary {
public:
    using Band = fusion::FrequencyFootprintState::Band;

    explicit EmissionPlatformLibrary(const xml::Querier& platforms);

    int size() const { return static_cast<int>(bands_.size()); }
    // Whether platform type t emits in any band at all.
    bool has_bands(int type) const { return !bands_[type].empty(); }
    // Whether platform type t can emit at `frequency` (band bounds included).
    bool emits_at(int type, double frequency) const;
    // The share of type t's emission band width that the receiver bands
    // cover (a type whose bands are single frequencies: 1 when one of them is
    // covered, else 0; a type without bands: 0).
    double covered_share(int type, const std::vector<Band>& receiver) const;

private:
    std::vector<std::vector<Band>> bands_;  // per type, merged and sorted
};

}  // namespace ostrel
