#pragma once
#include "config/schema.h"
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
    struct Parameters {
        nmrc::Vector<N> process_noise;
    };
    static const config::Schema<Parameters>& schema();

    explicit NearlyConstantPositionPredictor(const Parameters& parameters) : process_noise_(schema().validate(parameters).process_noise) {}
    explicit NearlyConstantPositionPredictor(const xml::Querier& querier) : NearlyConstantPositionPredictor(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;
    bool reads_contact_time_only() const override { return true; }

private:
    const nmrc::Vector<N> process_noise_;
};

extern template class NearlyConstantPositionPredictor<2>;
extern template class NearlyConstantPositionPredictor<3>;

}  // namespace ostrel
