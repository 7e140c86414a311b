#pragma once
#include "filters/position_velocity_predictor.h"
#include "numerics/mou_process.h"

namespace ostrel {

// Mean-reverting motion about a centre, one MouProcess axis per coordinate.
// Keys "mou_2d_predictor", "mou_3d_predictor"; parameter: the child
// "mou_process_2d" or "mou_process_3d".
template <int N>
class MouPredictor : public PositionVelocityPredictor<N> {
public:
    using typename PositionVelocityPredictor<N>::Estimate;
    using typename PositionVelocityPredictor<N>::EstimatePtr;

    struct Parameters {
        typename nmrc::MouProcess<N>::Parameters process;
    };
    static const config::Schema<Parameters>& schema();

    explicit MouPredictor(const Parameters& parameters) : process_(schema().validate(parameters).process) {}
    explicit MouPredictor(const xml::Querier& querier) : MouPredictor(schema().bind(querier)) {}

    nmrc::Vector<N> predicted_position(const nmrc::Vector<2 * N>& mean, double dt) const override;
    nmrc::SymmetricMatrix<2 * N> predicted_covariance(const nmrc::SymmetricMatrix<2 * N>& covariance,
                                                      double dt) const override;
    EstimatePtr predicted_estimate(const Estimate& estimate, double time) const override;

private:
    nmrc::Vector<2 * N> predicted_mean(const nmrc::Vector<2 * N>& mean, double dt) const;

    const nmrc::MouProcess<N> process_;
};

extern template class MouPredictor<2>;
extern template class MouPredictor<3>;

}  // namespace ostrel
