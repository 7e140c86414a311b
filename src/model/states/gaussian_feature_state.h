#pragma once
#include <string>

#include "config/schema.h"
#include "model/state.h"
#include "numerics/vector.h"

namespace state {

// N independent Gaussian features (N = 1 .. 4) holding at `time`: a mean and
// a standard deviation per component. Key "gaussian_feature_state_" + N +
// "d"; children "time", "mean", "sigma".
template <int N>
class GaussianFeatureState : public StateTemplate<GaussianFeatureState<N>> {
public:
    static const std::string& key();

    // Fails when a sigma is negative (or not a number).
    GaussianFeatureState(double time, const nmrc::Vector<N>& mean, const nmrc::Vector<N>& sigma);
    // What the element holds.
    struct Form {
        double time = 0.0;
        nmrc::Vector<N> mean;
        nmrc::Vector<N> sigma;
    };
    static const config::Schema<Form>& schema();

    explicit GaussianFeatureState(const Form& form) : GaussianFeatureState(form.time, form.mean, form.sigma) {}
    explicit GaussianFeatureState(const xml::Querier& querier) : GaussianFeatureState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    const double time;
    const nmrc::Vector<N> mean;
    const nmrc::Vector<N> sigma;
};

extern template class GaussianFeatureState<1>;
extern template class GaussianFeatureState<2>;
extern template class GaussianFeatureState<3>;
extern template class GaussianFeatureState<4>;

}  // namespace state
