#pragma once
#include "numerics/vector.h"
#include "tracker/filter.h"

namespace ostrel {

// A random walk of a PositionEstimateState<N>: the mean stays, each variance
// grows by q_i dt. Keys "nearly_constant_position_2d_predictor",
// "nearly_constant_position_3d_predictor"; parameter "process_noise" (N
// values).
template <int N>
class NearlyConstantPositionPredictor : public Filter {
public:
    explicit NearlyConstantPositionPredictor(const xml::Querier& querier);
    void update(const state::CompositeState& contact, TrackState& track) const override;
    bool reads_contact_time_only() const override { return true; }

private:
    const nmrc::Vector<N> process_noise_;
};

extern template class NearlyConstantPositionPredictor<2>;
extern template class NearlyConstantPositionPredictor<3>;

}  // namespace ostrel
