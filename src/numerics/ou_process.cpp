#include "numerics/ou_process.h"

#include <cmath>

#include "numerics/relative_exponential.h"
#include "numerics/value_forms.h"

namespace nmrc {

OuAxis::Step OuAxis::step(double dt) const {
    const double theta = rate();
    // a = e^(-theta dt); s^2 = q dt E(-2 theta dt)
    return {std::exp(-theta * dt), std::sqrt(process_noise * dt * relative_exponential(-2.0 * theta * dt))};
}

void OuAxis::predict(double& mean, double& sd, double dt) const {
    if (std::isinf(dt)) {  // the stationary law itself
        mean = center;
        sd = sigma;
        return;
    }
    const Step s = step(dt);
    mean = center + s.a * (mean - center);             // mean' = c + a (mean - c)
    sd = std::sqrt(s.a * s.a * sd * sd + s.s * s.s);  // sd'^2 = a^2 sd^2 + s^2
}

template <int N>
const config::Schema<typename OuProcess<N>::Parameters>& OuProcess<N>::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), "independent Ornstein-Uhlenbeck axes with stationary laws N(center, sigma^2)")
            .required(&P::center, "center", "the stationary mean of each axis", config::finite())
            .required(&P::sigma, "sigma", "the stationary standard deviation of each axis",
                      config::positive_finite())
            .required(&P::process_noise, "process_noise",
                      "the spectral density q of each axis; the mean-reversion rate is q / (2 sigma^2)",
                      config::non_negative_finite());
    return schema;
}

template <int N>
OuProcess<N>::OuProcess(const Parameters& parameters) {
    schema().validate(parameters);
    for (int i = 0; i < N; ++i)
        axes_[i] = {parameters.center[i], parameters.sigma[i], parameters.process_noise[i]};
}

template <int N>
Vector<N> OuProcess<N>::draw_stationary(NormalGenerator& normal) const {
    Vector<N> x;
    for (int i = 0; i < N; ++i) x[i] = axes_[i].center + axes_[i].sigma * normal.next();
    return x;
}

template <int N>
typename OuProcess<N>::Step OuProcess<N>::step(double dt) const {
    Step r;
    for (int i = 0; i < N; ++i) {
        const OuAxis::Step axis = axes_[i].step(dt);
        r.a[i] = axis.a;
        r.s[i] = axis.s;
    }
    return r;
}

template <int N>
Vector<N> OuProcess<N>::advance(const Vector<N>& x, const Step& step, NormalGenerator& normal) const {
    Vector<N> r;
    for (int i = 0; i < N; ++i)
        r[i] = axes_[i].center + (x[i] - axes_[i].center) * step.a[i] + step.s[i] * normal.next();
    return r;
}

template <int N>
Vector<N> OuProcess<N>::center() const {
    Vector<N> v;
    for (int i = 0; i < N; ++i) v[i] = axes_[i].center;
    return v;
}

template <int N>
Vector<N> OuProcess<N>::sigma() const {
    Vector<N> v;
    for (int i = 0; i < N; ++i) v[i] = axes_[i].sigma;
    return v;
}

template <int N>
Vector<N> OuProcess<N>::process_noise() const {
    Vector<N> v;
    for (int i = 0; i < N; ++i) v[i] = axes_[i].process_noise;
    return v;
}

template class OuProcess<1>;
template class OuProcess<2>;
template class OuProcess<3>;
template class OuProcess<4>;

}  // namespace nmrc
