#include "filters/nearly_constant_velocity_predictor.h"

#include "filters/filter_parameters.h"
#include "filters/prediction_interval.h"

namespace ostrel {

template <int N>
NearlyConstantVelocityPredictor<N>::NearlyConstantVelocityPredictor(const xml::Querier& querier)
    : process_noise_(read_process_noise<N>(querier)) {}

template <int N>
nmrc::Vector<N> NearlyConstantVelocityPredictor<N>::predicted_position(const nmrc::Vector<2 * N>& mean,
                                                                       double dt) const {
    // p_i' = p_i + dt v_i
    return mean.template segment<N>(0) + dt * mean.template segment<N>(N);
}

template <int N>
nmrc::SymmetricMatrix<2 * N> NearlyConstantVelocityPredictor<N>::predicted_covariance(
    const nmrc::SymmetricMatrix<2 * N>& covariance, double dt) const {
    // F = [[I, dt I], [0, I]]
    auto f = nmrc::Matrix<2 * N, 2 * N>::identity();
    for (int i = 0; i < N; ++i) f(i, N + i) = dt;
    // P' = F P F^T + Q, with per axis
    // Q(p_i, p_i) = q_i dt^3 / 3, Q(p_i, v_i) = q_i dt^2 / 2, Q(v_i, v_i) = q_i dt
    nmrc::SymmetricMatrix<2 * N> predicted = nmrc::transform(f, covariance);
    for (int i = 0; i < N; ++i) {
        const double q = process_noise_[i];
        predicted(i, i) += q * dt * dt * dt / 3.0;
        predicted(i, N + i) += q * dt * dt / 2.0;
        predicted(N + i, N + i) += q * dt;
    }
    return predicted;
}

template <int N>
typename NearlyConstantVelocityPredictor<N>::EstimatePtr
NearlyConstantVelocityPredictor<N>::predicted_estimate(const Estimate& estimate, double time) const {
    const double dt = prediction_interval(time, estimate.time);
    nmrc::Normal<2 * N> predicted;
    predicted.mean = estimate.estimate.mean;  // v_i' = v_i
    predicted.mean.set_segment(0, predicted_position(estimate.estimate.mean, dt));
    predicted.covariance = predicted_covariance(estimate.estimate.covariance, dt);
    return std::make_shared<const Estimate>(predicted, time);
}

template class NearlyConstantVelocityPredictor<2>;
template class NearlyConstantVelocityPredictor<3>;

}  // namespace ostrel
