#pragma once
#include <vector>

#include "config/schema.h"
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
    // What the element holds: one "frequency_interval" per band, each with
    // "min" and "max" (either may be infinite).
    struct Form {
        std::vector<Band> bands;
    };
    static const config::Schema<Form>& schema();

    explicit FrequencyFootprintState(const Form& form) : FrequencyFootprintState(form.bands) {}
    explicit FrequencyFootprintState(const xml::Querier& querier) : FrequencyFootprintState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    // Whether some band holds the frequency (bounds included).
    bool contains(double frequency) const;

    const std::vector<Band> bands;
};

}  // namespace fusion
