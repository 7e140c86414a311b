#include "filters/kinematic_initializers.h"

#include <cmath>

#include "filters/filter_parameters.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/time_state.h"
#include "numerics/mou_process.h"

namespace ostrel {

namespace {

// -ln A. The area is not range-checked: a non-positive A gives whatever the
// logarithm yields.
double area_score(const xml::Querier& querier) {
    return -std::log(querier.read<double>("nominal_surveillance_area"));
}

// Read like every matrix (row by row, the entries on and below the diagonal
// kept); a variance must be a non-negative number and no entry may be
// infinite or NaN.
template <int N>
nmrc::SymmetricMatrix<N> read_prior_velocity_covariance(const xml::Querier& querier) {
    const auto prior = querier.read<nmrc::SymmetricMatrix<N>>("prior_velocity_covariance");
    for (int i = 0; i < N; ++i)
        for (int j = 0; j <= i; ++j) {
            const double value = prior(i, j);
            const bool bad = !std::isfinite(value) || (i == j && value < 0.0);
            if (!bad) continue;
            throw util::Exception(
                "prior_velocity_covariance must hold finite entries and non-negative variances: "
                "prior_velocity_covariance(" +
                std::to_string(i) + ", " + std::to_string(j) + ") = " + number_text(value));
        }
    return prior;
}

template <int N>
nmrc::Normal<2 * N> mou_steady_state(const xml::Querier& querier) {
    const auto process = nmrc::MouProcess<N>::read(querier.tag(nmrc::MouProcess<N>::key()));
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
PositionPositionVelocityInitializer<N>::PositionPositionVelocityInitializer(const xml::Querier& querier)
    : prior_velocity_covariance_(read_prior_velocity_covariance<N>(querier)),
      area_score_(area_score(querier)) {}

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
PositionPositionInitializer<N>::PositionPositionInitializer(const xml::Querier& querier)
    : area_score_(area_score(querier)) {}

template <int N>
void PositionPositionInitializer<N>::update(const state::CompositeState& contact,
                                            TrackState& track) const {
    // States are immutable, so the contact's estimate is shared, not copied.
    const auto z = contact.get_ptr<state::PositionEstimateState<N>>();
    if (!z) throw util::Exception("State::cast()");
    track.log_likelihood += area_score_;
    track.states.insert(z);
}

template <int N>
MouSteadyStateInitializer<N>::MouSteadyStateInitializer(const xml::Querier& querier)
    : steady_state_(mou_steady_state<N>(querier)) {}

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
