#pragma once
#include "config/schema.h"
#include "filters/position_velocity_predictor.h"

namespace ostrel {

// White-noise acceleration on each axis. Keys
// "nearly_constant_velocity_2d_predictor", "nearly_constant_velocity_3d_predictor";
// parameter "process_noise": the N per-axis spectral densities q_i.
template <int N>
class NearlyConstantVelocityPredictor : public PositionVelocityPredictor<N> {
public:
    using typename PositionVelocityPredictor<N>::Estimate;
    using typename PositionVelocityPredictor<N>::EstimatePtr;

    struct Parameters {
        nmrc::Vector<N> process_noise;
    };
    static const config::Schema<Parameters>& schema();

    explicit NearlyConstantVelocityPredictor(const Parameters& parameters) : process_noise_(schema().validate(parameters).process_noise) {}
    explicit NearlyConstantVelocityPredictor(const xml::Querier& querier) : NearlyConstantVelocityPredictor(schema().bind(querier)) {}

    nmrc::Vector<N> predicted_position(const nmrc::Vector<2 * N>& mean, double dt) const override;
    nmrc::SymmetricMatrix<2 * N> predicted_covariance(const nmrc::SymmetricMatrix<2 * N>& covariance,
                                                      double dt) const override;
    EstimatePtr predicted_estimate(const Estimate& estimate, double time) const override;
    // As the base class, but a track state that already holds the
    // estimate predicted last on this thread gets that prediction again
    // (see recent_prediction).
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    EstimatePtr recent_prediction(const EstimatePtr& estimate, double time) const;

    const nmrc::Vector<N> process_noise_;
};

extern template class NearlyConstantVelocityPredictor<2>;
extern template class NearlyConstantVelocityPredictor<3>;

}  // namespace ostrel
