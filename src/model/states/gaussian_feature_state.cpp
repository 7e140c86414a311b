#include "model/states/gaussian_feature_state.h"

#include "model/states/dimension_key.h"
#include "numerics/value_forms.h"
#include "model/states/sigma_check.h"

namespace state {

template <int N>
const std::string& GaussianFeatureState<N>::key() {
    static const std::string k = dimension_key("gaussian_feature_state_", N);
    return k;
}

template <int N>
GaussianFeatureState<N>::GaussianFeatureState(double time, const nmrc::Vector<N>& mean,
                                              const nmrc::Vector<N>& sigma)
    : time(time), mean(mean), sigma(sigma) {
    check_sigmas(sigma.begin(), sigma.end(), key());
}

template <int N>
const config::Schema<typename GaussianFeatureState<N>::Form>& GaussianFeatureState<N>::schema() {
    static const auto schema =
        config::Schema<Form>(key(), "independent Gaussian features holding at a time")
            .required(&Form::time, "time", "the time the features hold at", config::finite_text())
            .required(&Form::mean, "mean", "the means", config::finite_text())
            .required(&Form::sigma, "sigma", "the standard deviations", config::finite_text(),
                      config::non_negative().says("sigma is negative in {key}: sigma = {value}"));
    return schema;
}

template <int N>
void GaussianFeatureState<N>::write(xml::OutStream& out) const {
    out.tag(key());
    out.element("time", time).element("mean", mean).element("sigma", sigma);
    out.end_tag();
}

template class GaussianFeatureState<1>;
template class GaussianFeatureState<2>;
template class GaussianFeatureState<3>;
template class GaussianFeatureState<4>;

}  // namespace state
