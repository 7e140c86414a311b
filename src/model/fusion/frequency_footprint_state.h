#pragma once
#include <vector>

#include "model/state.h"

namespace fusion {

// The frequency bands a receiver covers: a list of closed intervals
// [min, max]. Key "frequency_footprint_state"; one "frequency_interval"
// child per band, each with "min" and "max".
class FrequencyFootprintState : public state::StateTemplate<FrequencyFootprintState> {
public:
    struct Band {
        double min = 0;
        double max = 0;
    };

    static const char* key() { return "frequency_footprint_state"; }

    // Fails when a band has max < min.
    explicit FrequencyFootprintState(std::vector<Band> bands);
    explicit FrequencyFootprintState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    // Whether some band holds the frequency (bounds included).
    bool contains(double frequency) const;

    const std::vector<Band> bands;
};

}  // namespace fusion
