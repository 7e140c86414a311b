#include "filters/nearly_constant_velocity_predictor.h"

#include <cmath>
#include <cstring>

#include "filters/filter_schema.h"
#include "filters/prediction_interval.h"

namespace ostrel {

namespace {

// F P F^T for F = [[I, dt I], [0, I]]. The tracker predicts every track
// once per candidate contact, so this skips the products with the zeros and
// ones of F. With finite entries the result is bit for bit that of the
// general product (nmrc::transform): the terms left out are exact zeros,
// which never change a sum that started at +0, or factors of one, and the
// remaining terms are added in the same order. Non-finite entries (0 * inf
// is NaN there) take the general product.
template <int N>
nmrc::SymmetricMatrix<2 * N> transition_transform(const nmrc::SymmetricMatrix<2 * N>& p, double dt) {
    constexpr int M = 2 * N;
    double a[M][M];
    bool finite = std::isfinite(dt);
    for (int i = 0; i < M; ++i)
        for (int j = 0; j <= i; ++j) {
            a[i][j] = a[j][i] = p(i, j);
            finite = finite && std::isfinite(a[i][j]);
        }
    if (!finite) {
        auto f = nmrc::Matrix<M, M>::identity();
        for (int i = 0; i < N; ++i) f(i, N + i) = dt;
        return nmrc::transform(f, p);
    }
    // F P: a position row i is 0 + P(i, .) + dt P(N + i, .); a velocity
    // row is 0 + P(i, .).
    double fp[M][M];
    for (int i = 0; i < N; ++i)
        for (int k = 0; k < M; ++k) fp[i][k] = (0.0 + a[i][k]) + dt * a[N + i][k];
    for (int i = N; i < M; ++i)
        for (int k = 0; k < M; ++k) fp[i][k] = 0.0 + a[i][k];
    // (F P) F^T: a position column j is 0 + FP(., j) + FP(., N + j) dt; a
    // velocity column is 0 + FP(., j).
    nmrc::SymmetricMatrix<M> r;
    for (int i = 0; i < M; ++i)
        for (int j = 0; j <= i; ++j)
            r(i, j) = j < N ? (0.0 + fp[i][j]) + fp[i][N + j] * dt : 0.0 + fp[i][j];
    return r;
}

}  // namespace

template <int N>
const config::Schema<typename NearlyConstantVelocityPredictor<N>::Parameters>& NearlyConstantVelocityPredictor<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("nearly_constant_velocity_" + std::to_string(N) + "d_predictor", "carries a position-velocity estimate forward at nearly constant velocity")
            .required(&Parameters::process_noise, "process_noise", "the spectral density of the noise of each axis",
                      spectral_density());
    return schema;
}

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
    // P' = F P F^T + Q, with per axis
    // Q(p_i, p_i) = q_i dt^3 / 3, Q(p_i, v_i) = q_i dt^2 / 2, Q(v_i, v_i) = q_i dt
    nmrc::SymmetricMatrix<2 * N> predicted = transition_transform<N>(covariance, dt);
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

template <int N>
void NearlyConstantVelocityPredictor<N>::update(const state::CompositeState& contact, TrackState& track) const {
    const double time = contact.get<state::TimeState>().time;
    track.states.insert(recent_prediction(track.states.get_shared<Estimate>(), time));
}

// The tracker predicts each hypothesis twice per frame, with the same
// estimate object and time: once before it tries the new contacts and once
// in the missed-detection filter, whose predictor is another object with
// the same process noise. The last prediction made on this thread is
// handed out again when all three match bit for bit. The cache holds on to
// the estimate it was made from, so the address cannot be reused by another
// estimate while it is compared against.
template <int N>
typename NearlyConstantVelocityPredictor<N>::EstimatePtr NearlyConstantVelocityPredictor<N>::recent_prediction(
    const EstimatePtr& estimate, double time) const {
    struct Last {
        EstimatePtr from;
        double time = 0;
        nmrc::Vector<N> process_noise;
        EstimatePtr prediction;
    };
    thread_local Last last;
    if (last.from == estimate && std::memcmp(&last.time, &time, sizeof time) == 0 &&
        std::memcmp(&last.process_noise, &process_noise_, sizeof process_noise_) == 0)
        return last.prediction;
    EstimatePtr prediction = predicted_estimate(*estimate, time);
    last = Last{estimate, time, process_noise_, prediction};
    return prediction;
}

template class NearlyConstantVelocityPredictor<2>;
template class NearlyConstantVelocityPredictor<3>;

}  // namespace ostrel
