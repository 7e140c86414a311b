#pragma once
#include <array>
#include <string>

#include "config/schema.h"
#include "numerics/random.h"
#include "numerics/vector.h"

namespace nmrc {

// One Ornstein-Uhlenbeck axis
//   dx = -theta (x - c) dt + sqrt(q) dW,  theta = q / (2 sigma^2),
// whose stationary law is N(c, sigma^2). q = 0 gives theta = 0: the axis
// never moves.
struct OuAxis {
    double center = 0;
    double sigma = 1;          // stationary standard deviation, > 0
    double process_noise = 0;  // q >= 0

    double rate() const { return process_noise / (2.0 * sigma * sigma); }  // theta

    // The exact transition over dt >= 0: x' = c + (x - c) a + s z, z
    // standard normal, with
    //   a = e^(-theta dt)
    //   s^2 = sigma^2 (1 - e^(-2 theta dt)) = q dt E(-2 theta dt),
    // the second form keeping its digits when theta dt is small, so that
    // N(c, sigma^2) is stationary for every dt.
    struct Step {
        double a = 1;
        double s = 0;
    };
    Step step(double dt) const;

    // The law after dt of an axis known as N(mean, sd^2):
    //   mean' = c + a (mean - c),  sd'^2 = a^2 sd^2 + s^2;
    // dt = inf gives the stationary law itself.
    void predict(double& mean, double& sd, double dt) const;
};

// N independent Ornstein-Uhlenbeck axes, read from the element
// "ou_process_" + N + "d" with children "center", "sigma" and
// "process_noise" (N numbers each): the one process model of the OU
// simulators and the OU feature filters.
template <int N>
class OuProcess {
public:
    static std::string key() { return "ou_process_" + std::to_string(N) + "d"; }

    struct Parameters {
        Vector<N> center;
        Vector<N> sigma = Vector<N>::constant(1.0);
        Vector<N> process_noise;
    };
    // Centres finite, sigmas positive and finite, process noises
    // non-negative and finite.
    static const config::Schema<Parameters>& schema();

    explicit OuProcess(const Parameters& parameters);
    OuProcess(const Vector<N>& center, const Vector<N>& sigma, const Vector<N>& process_noise)
        : OuProcess(Parameters{center, sigma, process_noise}) {}

    const OuAxis& axis(int i) const { return axes_[i]; }

    // x_i = c_i + sigma_i z_i, one deviate per axis, axis 0 first.
    Vector<N> draw_stationary(NormalGenerator& normal) const;

    // The per-axis coefficients of a step of dt (dt >= 0).
    struct Step {
        Vector<N> a;
        Vector<N> s;
    };
    Step step(double dt) const;

    // x_i' = c_i + (x_i - c_i) a_i + s_i z_i, axis 0 first.
    Vector<N> advance(const Vector<N>& x, const Step& step, NormalGenerator& normal) const;

    Vector<N> center() const;
    Vector<N> sigma() const;
    Vector<N> process_noise() const;

private:
    std::array<OuAxis, N> axes_{};
};

extern template class OuProcess<1>;
extern template class OuProcess<2>;
extern template class OuProcess<3>;
extern template class OuProcess<4>;

}  // namespace nmrc
