#include "filters/mou_predictor.h"

#include "filters/prediction_interval.h"

namespace ostrel {

template <int N>
const config::Schema<typename MouPredictor<N>::Parameters>& MouPredictor<N>::schema() {
    static const auto schema =
        config::Schema<Parameters>("mou_" + std::to_string(N) + "d_predictor",
                                   "carries a position-velocity estimate forward by a mean-reverting process")
            .nested(&Parameters::process, nmrc::MouProcess<N>::schema(), "the process");
    return schema;
}

template <int N>
nmrc::Vector<2 * N> MouPredictor<N>::predicted_mean(const nmrc::Vector<2 * N>& mean, double dt) const {
    nmrc::Vector<2 * N> predicted;
    for (int i = 0; i < N; ++i) {
        const nmrc::Matrix<2, 2> phi = process_.axis(i).transition(dt);
        const double c = process_.center()[i];
        const double offset = mean[i] - c;
        const double v = mean[N + i];
        // p_i' = c_i + Phi(0,0) (p_i - c_i) + Phi(0,1) v_i
        predicted[i] = c + phi(0, 0) * offset + phi(0, 1) * v;
        // v_i' = Phi(1,0) (p_i - c_i) + Phi(1,1) v_i
        predicted[N + i] = phi(1, 0) * offset + phi(1, 1) * v;
    }
    return predicted;
}

template <int N>
nmrc::Vector<N> MouPredictor<N>::predicted_position(const nmrc::Vector<2 * N>& mean, double dt) const {
    return predicted_mean(mean, dt).template segment<N>(0);
}

template <int N>
nmrc::SymmetricMatrix<2 * N> MouPredictor<N>::predicted_covariance(
    const nmrc::SymmetricMatrix<2 * N>& covariance, double dt) const {
    // P' = Phi P Phi^T + Q, Phi and Q block-diagonal over the axes
    return nmrc::transform(process_.transition(dt), covariance) + process_.covariance(dt);
}

template <int N>
typename MouPredictor<N>::EstimatePtr MouPredictor<N>::predicted_estimate(const Estimate& estimate,
                                                                          double time) const {
    const double dt = prediction_interval(time, estimate.time);
    const nmrc::Normal<2 * N> predicted(predicted_mean(estimate.estimate.mean, dt),
                                        predicted_covariance(estimate.estimate.covariance, dt));
    return std::make_shared<const Estimate>(predicted, time);
}

template class MouPredictor<2>;
template class MouPredictor<3>;

}  // namespace ostrel
