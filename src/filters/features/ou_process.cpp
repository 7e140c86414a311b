#include "filters/features/ou_process.h"

#include <cmath>

#include "filters/filter_parameters.h"
#include "filters/relative_exponential.h"
#include "numerics/vector.h"
#include "util/exception.h"

namespace ostrel {

void OuComponent::predict(double& mean, double& sd, double dt) const {
    if (std::isinf(dt)) {  // the stationary law itself
        mean = center;
        sd = sigma;
        return;
    }
    const double gamma = rate();
    const double a = std::exp(-gamma * dt);  // a = e^{-gamma dt}
    mean = center + a * (mean - center);     // mean' = c + a (mean - c)
    // sd'^2 = a^2 sd^2 + q dt E(-2 gamma dt)
    sd = std::sqrt(a * a * sd * sd + process_noise * dt * relative_exponential(-2.0 * gamma * dt));
}

namespace {

template <int N>
nmrc::Vector<N> read_checked(const xml::Querier& element, const std::string& child,
                             bool (*valid)(double), const std::string& requirement) {
    const auto values = element.read<nmrc::Vector<N>>(child);
    for (int i = 0; i < N; ++i) {
        if (valid(values[i])) continue;
        throw util::Exception(element.name() + ": " + child + " must be " + requirement + ": " +
                              child + "[" + std::to_string(i) + "] = " + number_text(values[i]));
    }
    return values;
}

bool finite(double x) { return std::isfinite(x); }
bool positive_finite(double x) { return std::isfinite(x) && x > 0.0; }
bool non_negative_finite(double x) { return std::isfinite(x) && x >= 0.0; }

}  // namespace

template <int N>
OuProcess<N> OuProcess<N>::read(const xml::Querier& owner) {
    const xml::Querier element = owner.tag(key());
    const auto center = read_checked<N>(element, "center", finite, "finite");
    const auto sigma = read_checked<N>(element, "sigma", positive_finite, "positive and finite");
    const auto noise = read_checked<N>(element, "process_noise", non_negative_finite,
                                       "non-negative and finite");
    OuProcess process;
    for (int i = 0; i < N; ++i) process.components_[i] = {center[i], sigma[i], noise[i]};
    return process;
}

template class OuProcess<1>;
template class OuProcess<2>;
template class OuProcess<3>;
template class OuProcess<4>;

}  // namespace ostrel
