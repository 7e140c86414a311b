#pragma once
#include <array>
#include <string>

#include "xml/querier.h"

namespace ostrel {

// One Ornstein-Uhlenbeck feature component:
//   dx = -gamma (x - c) dt + sqrt(q) dW,  gamma = q / (2 sigma^2),
// whose stationary law is N(c, sigma^2).
struct OuComponent {
    double center = 0;
    double sigma = 1;          // stationary standard deviation, > 0
    double process_noise = 0;  // q >= 0

    double rate() const { return process_noise / (2.0 * sigma * sigma); }  // gamma

    // The law after dt of a component known as N(mean, sd^2), with
    // a = e^{-gamma dt}:
    //   mean' = c + a (mean - c)
    //   sd'^2 = a^2 sd^2 + sigma^2 (1 - e^{-2 gamma dt}),
    // the second term evaluated as q dt E(-2 gamma dt) (E the relative
    // exponential) so that it keeps its digits when gamma dt is small.
    void predict(double& mean, double& sd, double dt) const;
};

// N independent components read from the element "ou_process_" + N + "d"
// (children "center", "sigma", "process_noise", each N numbers). Centres
// must be finite, sigmas positive and finite, process noises non-negative
// and finite; a failure names the element, the child, the component and its
// value.
template <int N>
class OuProcess {
public:
    static std::string key() { return "ou_process_" + std::to_string(N) + "d"; }

    // Reads the child key() of `owner`.
    static OuProcess read(const xml::Querier& owner);

    const OuComponent& component(int i) const { return components_[i]; }

private:
    std::array<OuComponent, N> components_{};
};

extern template class OuProcess<1>;
extern template class OuProcess<2>;
extern template class OuProcess<3>;
extern template class OuProcess<4>;

}  // namespace ostrel
