#pragma once
#include "model/state.h"
#include "numerics/dynamic_vector.h"

namespace state {

// Independent Gaussian features of run-time length holding at `time`. Key
// "gaussian_feature_vector_state"; children "time", "size", "mean", "sigma".
class GaussianFeatureVectorState : public StateTemplate<GaussianFeatureVectorState> {
public:
    static const char* key() { return "gaussian_feature_vector_state"; }

    // Fails when mean and sigma differ in length, are empty, or a sigma is
    // negative.
    GaussianFeatureVectorState(double time, nmrc::DynamicVector mean, nmrc::DynamicVector sigma);
    explicit GaussianFeatureVectorState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    int size() const { return mean.size(); }

    const double time;
    const nmrc::DynamicVector mean;
    const nmrc::DynamicVector sigma;
};

}  // namespace state
