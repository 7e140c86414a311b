#include "filters/kinematic_initializers.h"

#include <cmath>

#include "filters/filter_schema.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/time_state.h"
#include "numerics/mou_process.h"
#include "numerics/value_forms.h"

namespace ostrel {

namespace {

// -ln A. The area is not range-checked: a non-positive A gives whatever the
// logarithm yields.
double area_score(double area) { return -std::log(area); }

const char* area_meaning() {
    return "the area over which clutter contacts spread; a new track scores -ln of it";
}

template <int N>
nmrc::Normal<2 * N> steady_state_of(const nmrc::MouProcess<N>& process) {
    nmrc::Normal<2 * N> steady;
    for (int i = 0; i < N; ++i) {
        // mean (c, 0); P = diag(position_sigma^2, velocity_sigma^2)
        steady.mean[i] = process.center()[i];
        const double ps = process.position_sigma()[i];
        const double vs = process.velocity_sigma()[i];
        steady.covariance(i, i) = ps * ps;
        steady.covariance(N + i, N + i) = vs * vs;
    }
    return steady;
}

}  // namespace

template <int N>
const config::Schema<typename PositionPositionVelocityInitializer<N>::Parameters>&
PositionPositionVelocityInitializer<N>::schema() {
    using P = Parameters;
    static const auto schema = [] {
        config::Schema<P> s("position_position_velocity_" + std::to_string(N) + "d_initializer",
                            "starts a position-velocity estimate at the contact's position, at rest");
        declare_prior_velocity_covariance(s, &P::prior_velocity_covariance)
            .required(&P::nominal_surveillance_area, "nominal_surveillance_area", area_meaning());
        return s;
    }();
    return schema;
}

template <int N>
PositionPositionVelocityInitializer<N>::PositionPositionVelocityInitializer(const Parameters& parameters)
    : prior_velocity_covariance_(schema().validate(parameters).prior_velocity_covariance),
      area_score_(area_score(parameters.nominal_surveillance_area)) {}

template <int N>
void PositionPositionVelocityInitializer<N>::update(const state::CompositeState& contact,
                                                    TrackState& track) const {
    const auto& z = contact.get<state::PositionEstimateState<N>>();
    nmrc::Normal<2 * N> start;
    // x = (z, 0); P = [[R, 0], [0, prior]]
    start.mean.set_segment(0, z.estimate.mean);
    for (int i = 0; i < N; ++i)
        for (int j = 0; j <= i; ++j) {
            start.covariance(i, j) = z.estimate.covariance(i, j);
            start.covariance(N + i, N + j) = prior_velocity_covariance_(i, j);
        }
    track.log_likelihood += area_score_;
    track.states.insert(std::make_shared<const state::PositionVelocityEstimateState<N>>(start, z.time));
}

template <int N>
const config::Schema<typename PositionPositionInitializer<N>::Parameters>& PositionPositionInitializer<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("position_position_" + std::to_string(N) + "d_initializer",
                                   "starts a track's position estimate at the contact's")
            .required(&Parameters::nominal_surveillance_area, "nominal_surveillance_area", area_meaning());
    return schema;
}

template <int N>
PositionPositionInitializer<N>::PositionPositionInitializer(const Parameters& parameters)
    : area_score_(area_score(schema().validate(parameters).nominal_surveillance_area)) {}

template <int N>
void PositionPositionInitializer<N>::update(const state::CompositeState& contact,
                                            TrackState& track) const {
    // States are immutable, so the contact's estimate is shared, not copied.
    const auto z = contact.get_ptr<state::PositionEstimateState<N>>();
    if (!z) state::State::throw_cast_failure(state::PositionEstimateState<N>::static_type_id(), 0);
    track.log_likelihood += area_score_;
    track.states.insert(z);
}

template <int N>
const config::Schema<typename MouSteadyStateInitializer<N>::Parameters>& MouSteadyStateInitializer<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("mou_steady_state_" + std::to_string(N) + "d_initializer",
                                   "starts every track at the stationary law of a mean-reverting process")
            .nested(&Parameters::process, nmrc::MouProcess<N>::schema(), "the process");
    return schema;
}

template <int N>
MouSteadyStateInitializer<N>::MouSteadyStateInitializer(const Parameters& parameters)
    : steady_state_(steady_state_of(nmrc::MouProcess<N>(schema().validate(parameters).process))) {}

template <int N>
void MouSteadyStateInitializer<N>::update(const state::CompositeState& contact,
                                          TrackState& track) const {
    const double time = contact.get<state::TimeState>().time;
    track.states.insert(
        std::make_shared<const state::PositionVelocityEstimateState<N>>(steady_state_, time));
}

template class PositionPositionVelocityInitializer<2>;
template class PositionPositionVelocityInitializer<3>;
template class PositionPositionInitializer<2>;
template class PositionPositionInitializer<3>;
template class MouSteadyStateInitializer<2>;
template class MouSteadyStateInitializer<3>;

}  // namespace ostrel
