#pragma once
#include "config/schema.h"
#include "tracker/filter.h"

namespace ostrel {

// Scores the birth of a track. Key "birth_initializer"; parameters
// "death_rate" mu, "birth_rate" beta and "nominal_dt" T, all positive. The
// score b = ln(beta T E(-mu T)) = ln(beta (1 - e^{-mu T}) / mu) is the log of
// the expected number of targets born within one nominal interval that are
// still alive at its end.
class BirthInitializer : public Filter {
public:
    struct Parameters {
        double death_rate = 1;
        double birth_rate = 1;
        double nominal_dt = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit BirthInitializer(const Parameters& parameters);
    explicit BirthInitializer(const xml::Querier& querier) : BirthInitializer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

    double birth_score() const { return birth_score_; }

private:
    const double birth_score_;
};

}  // namespace ostrel
