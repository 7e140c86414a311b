#include "filters/birth_initializer.h"

#include <cmath>

#include "numerics/relative_exponential.h"

namespace ostrel {

namespace {

// Each parameter is checked right after it is read, so a later one is not
// read when an earlier one fails.
double read_positive(const xml::Querier& querier, const char* key, const char* message) {
    const double value = querier.read<double>(key);
    if (!(value > 0.0)) throw util::Exception(message);
    return value;
}

double read_birth_score(const xml::Querier& querier) {
    const double mu = read_positive(querier, "death_rate", "death rate is non-positive");
    const double beta = read_positive(querier, "birth_rate", "birth_density is non-positive");
    const double nominal_dt = read_positive(querier, "nominal_dt", "nominal_dt is non-positive");
    // b = ln(E(-mu T) (T beta))
    return std::log(nmrc::relative_exponential(-mu * nominal_dt) * (nominal_dt * beta));
}

}  // namespace

BirthInitializer::BirthInitializer(const xml::Querier& querier) : birth_score_(read_birth_score(querier)) {}

void BirthInitializer::update(const state::CompositeState&, TrackState& track) const {
    track.log_likelihood += birth_score_;
}

}  // namespace ostrel
