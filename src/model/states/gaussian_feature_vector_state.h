#pragma once
#include "config/schema.h"
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
    // What the element holds: "size" gives the length, and "mean" and
    // "sigma" hold that many numbers each.
    struct Form {
        double time = 0.0;
        int size = 0;
        nmrc::DynamicVector mean;
        nmrc::DynamicVector sigma;
    };
    static const config::Schema<Form>& schema();
    // The first `size` of `numbers`; any more are reported and dropped.
    static nmrc::DynamicVector first_numbers(const nmrc::DynamicVector& numbers, int size, const char* name);

    explicit GaussianFeatureVectorState(const Form& form)
        : GaussianFeatureVectorState(form.time, first_numbers(form.mean, form.size, "mean"),
                                     first_numbers(form.sigma, form.size, "sigma")) {}
    explicit GaussianFeatureVectorState(const xml::Querier& querier)
        : GaussianFeatureVectorState(schema().bind(querier)) {}
    void write(xml::OutStream& out) const override;

    int size() const { return mean.size(); }

    const double time;
    const nmrc::DynamicVector mean;
    const nmrc::DynamicVector sigma;
};

}  // namespace state
