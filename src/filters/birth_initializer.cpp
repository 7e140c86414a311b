#include "filters/birth_initializer.h"

#include <cmath>

#include "numerics/relative_exponential.h"

namespace ostrel {

const config::Schema<BirthInitializer::Parameters>& BirthInitializer::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("birth_initializer", "scores the birth of a track")
            .required(&P::death_rate, "death_rate", "the rate at which tracks end, per unit of time",
                      config::positive<double>().says("death rate is non-positive"))
            .required(&P::birth_rate, "birth_rate", "the rate at which tracks begin, per unit of time",
                      config::positive<double>().says("birth_density is non-positive"))
            .required(&P::nominal_dt, "nominal_dt", "the usual interval between frames",
                      config::positive<double>().says("nominal_dt is non-positive"));
    return schema;
}

namespace {

// b = ln(E(-mu T) (T beta))
double birth_score(const BirthInitializer::Parameters& p) {
    return std::log(nmrc::relative_exponential(-p.death_rate * p.nominal_dt) * (p.nominal_dt * p.birth_rate));
}

}  // namespace

BirthInitializer::BirthInitializer(const Parameters& parameters)
    : birth_score_(ostrel::birth_score(schema().validate(parameters))) {}

void BirthInitializer::update(const state::CompositeState&, TrackState& track) const {
    track.log_likelihood += birth_score_;
}

}  // namespace ostrel
