#pragma once
#include <string>

#include "config/schema.h"
#include "model/state.h"
#include "numerics/normal.h"

namespace state {

// A Gaussian position-velocity estimate (N = 1, 2, 3) over the state vector
// (p1 .. pN, v1 .. vN), holding at `time`. Key
// "position_velocity_estimate_state_" + N + "d"; children "time", "normal".
template <int N>
class PositionVelocityEstimateState : public StateTemplate<PositionVelocityEstimateState<N>> {
public:
    static const std::string& key();

    PositionVelocityEstimateState(const nmrc::Normal<2 * N>& estimate, double time)
        : estimate(estimate), time(time) {}
    // What the element holds.
    struct Form {
        double time = 0.0;
        nmrc::Normal<2 * N> estimate;
    };
    static const config::Schema<Form>& schema();

    explicit PositionVelocityEstimateState(const Form& form) : estimate(form.estimate), time(form.time) {}
    explicit PositionVelocityEstimateState(const xml::Querier& querier) : PositionVelocityEstimateState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    // The position and velocity parts of the mean.
    nmrc::Vector<N> position() const { return estimate.mean.template segment<N>(0); }
    nmrc::Vector<N> velocity() const { return estimate.mean.template segment<N>(N); }

    const nmrc::Normal<2 * N> estimate;
    const double time;
};

extern template class PositionVelocityEstimateState<1>;
extern template class PositionVelocityEstimateState<2>;
extern template class PositionVelocityEstimateState<3>;

}  // namespace state
