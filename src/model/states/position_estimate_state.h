#pragma once
#include <string>

#include "config/schema.h"
#include "model/state.h"
#include "numerics/normal.h"

namespace state {

// A Gaussian position estimate (N = 1, 2, 3) holding at `time`; as a contact
// it is the measured position and its covariance R. Key
// "position_estimate_state_" + N + "d"; children "time", then "normal".
template <int N>
class PositionEstimateState : public StateTemplate<PositionEstimateState<N>> {
public:
    static const std::string& key();

    PositionEstimateState(const nmrc::Normal<N>& estimate, double time)
        : estimate(estimate), time(time) {}
    // What the element holds.
    struct Form {
        double time = 0.0;
        nmrc::Normal<N> estimate;
    };
    static const config::Schema<Form>& schema();

    explicit PositionEstimateState(const Form& form) : estimate(form.estimate), time(form.time) {}
    explicit PositionEstimateState(const xml::Querier& querier) : PositionEstimateState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const nmrc::Normal<N> estimate;
    const double time;
};

extern template class PositionEstimateState<1>;
extern template class PositionEstimateState<2>;
extern template class PositionEstimateState<3>;

}  // namespace state
