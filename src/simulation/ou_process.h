#pragma once
#include <string>

#include "numerics/random.h"
#include "numerics/vector.h"
#include "xml/querier.h"

namespace truth {

// E(y) = (e^y - 1) / y with E(0) = 1. Near zero the closed form loses all
// precision, so for |y| < 0.4 it is summed as its Taylor series up to the
// y^13 term in Horner form 1 + y/2 (1 + y/3 (1 + ... (1 + y/14))).
double exprel(double y);

// The transition of one Ornstein-Uhlenbeck axis over dt:
// x' = c + (x - c) a + s z, z standard normal.
struct OuAxisStep {
    double a;
    double s;
};

// With rate theta = q / (2 sigma^2):
//   a = e^(-theta dt)
//   s^2 = q dt E(-2 theta dt) = sigma^2 (1 - e^(-2 theta dt)),
// the exact discretisation, so that N(c, sigma^2) is stationary for every dt.
// q = 0 gives theta = 0, a = 1, s = 0 (the axis never moves), and so does
// dt = 0.
OuAxisStep ou_axis_step(double sigma, double process_noise, double dt);

// Checks dt >= 0 and finite, naming the owner.
void require_time_step(const std::string& owner, double dt);

// Independent Ornstein-Uhlenbeck processes, one per axis, each with a
// stationary normal law of mean center_i and standard deviation sigma_i.
// Read from the element "ou_process_" + N + "d" with children "center",
// "sigma" and "process_noise" (N numbers each).
template <int N>
class OuProcess {
public:
    static std::string key() { return "ou_process_" + std::to_string(N) + "d"; }

    // sigma must be positive and process_noise non-negative (both finite).
    OuProcess(const nmrc::Vector<N>& center, const nmrc::Vector<N>& sigma,
              const nmrc::Vector<N>& process_noise);

    // The Querier stands on the process element itself.
    static OuProcess read(const xml::Querier& element) {
        const auto center = element.read<nmrc::Vector<N>>("center");
        const auto sigma = element.read<nmrc::Vector<N>>("sigma");
        const auto process_noise = element.read<nmrc::Vector<N>>("process_noise");
        return OuProcess(center, sigma, process_noise);
    }
    // Reads the child process element of a simulator's element.
    static OuProcess read_child(const xml::Querier& parent) { return read(parent.tag(key())); }

    // x_i = c_i + sigma_i z_i, one deviate per axis, axis 0 first.
    nmrc::Vector<N> draw_stationary(nmrc::NormalGenerator& normal) const {
        nmrc::Vector<N> x;
        for (int i = 0; i < N; ++i) x[i] = center_[i] + sigma_[i] * normal.next();
        return x;
    }

    // The per-axis coefficients of a step of dt (dt >= 0).
    struct Step {
        nmrc::Vector<N> a;
        nmrc::Vector<N> s;
    };
    Step step(double dt) const {
        Step r;
        for (int i = 0; i < N; ++i) {
            const OuAxisStep axis = ou_axis_step(sigma_[i], process_noise_[i], dt);
            r.a[i] = axis.a;
            r.s[i] = axis.s;
        }
        return r;
    }

    // x_i' = c_i + (x_i - c_i) a_i + s_i z_i, axis 0 first.
    nmrc::Vector<N> advance(const nmrc::Vector<N>& x, const Step& step,
                            nmrc::NormalGenerator& normal) const {
        nmrc::Vector<N> r;
        for (int i = 0; i < N; ++i)
            r[i] = center_[i] + (x[i] - center_[i]) * step.a[i] + step.s[i] * normal.next();
        return r;
    }

    const nmrc::Vector<N>& center() const { return center_; }
    const nmrc::Vector<N>& sigma() const { return sigma_; }
    const nmrc::Vector<N>& process_noise() const { return process_noise_; }

private:
    nmrc::Vector<N> center_;
    nmrc::Vector<N> sigma_;
    nmrc::Vector<N> process_noise_;
};

extern template class OuProcess<1>;
extern template class OuProcess<2>;
extern template class OuProcess<3>;
extern template class OuProcess<4>;

}  // namespace truth
