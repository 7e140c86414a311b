#pragma once
#include <string>
#include <vector>

#include "config/schema.h"
#include "numerics/constant_velocity_sde.h"
#include "numerics/matrix.h"
#include "numerics/symmetric_matrix.h"
#include "numerics/value_forms.h"
#include "numerics/vector.h"
#include "xml/querier.h"

namespace nmrc {

namespace detail {
ConstantVelocitySDE mou_axis_sde(double position_sigma, double velocity_sigma, double process_noise);
}  // namespace detail

// One mean-reverting (position, velocity) process per axis. Per axis i:
// kappa_i = (velocity_sigma_i / position_sigma_i)^2,
// gamma_i = process_noise_i / (2 velocity_sigma_i^2), and the SDE
// A = [[0, 1], [-kappa_i, -gamma_i]], q = process_noise_i, whose stationary
// law has the configured position and velocity sigmas about the centre.
template <int N>
class MouProcess {
public:
    // "mou_process_" + N + "d", the element a process is read from.
    static std::string key() { return "mou_process_" + std::to_string(N) + "d"; }

    // The children "center", "position_sigma", "velocity_sigma" and
    // "process_noise", N numbers each.
    struct Parameters {
        Vector<N> center;
        Vector<N> position_sigma = Vector<N>::constant(1.0);
        Vector<N> velocity_sigma = Vector<N>::constant(1.0);
        Vector<N> process_noise = Vector<N>::constant(1.0);
    };
    static const config::Schema<Parameters>& schema();

    // A parameter set whose SDE is ill-posed (critical damping, no damping)
    // fails with the messages of ConstantVelocitySDE.
    explicit MouProcess(const Parameters& parameters)
        : center_(schema().validate(parameters).center),
          position_sigma_(parameters.position_sigma),
          velocity_sigma_(parameters.velocity_sigma),
          process_noise_(parameters.process_noise) {
        for (int i = 0; i < N; ++i)
            axes_.push_back(detail::mou_axis_sde(position_sigma_[i], velocity_sigma_[i], process_noise_[i]));
    }
    MouProcess(const Vector<N>& center, const Vector<N>& position_sigma, const Vector<N>& velocity_sigma,
               const Vector<N>& process_noise)
        : MouProcess(Parameters{center, position_sigma, velocity_sigma, process_noise}) {}

    // Reads the element the querier stands on.
    static MouProcess read(const xml::Querier& element) { return MouProcess(schema().bind(element)); }

    const Vector<N>& center() const { return center_; }
    const Vector<N>& position_sigma() const { return position_sigma_; }
    const Vector<N>& velocity_sigma() const { return velocity_sigma_; }
    const Vector<N>& process_noise() const { return process_noise_; }
    const ConstantVelocitySDE& axis(int i) const { return axes_[i]; }

    // Phi(dt) over the whole state (p1 ... pN, v1 ... vN): each axis's 2x2
    // block on its position (i) and velocity (N + i) entries.
    Matrix<2 * N, 2 * N> transition(double dt) const {
        Matrix<2 * N, 2 * N> phi;
        for (int i = 0; i < N; ++i) {
            const Matrix<2, 2> b = axes_[i].transition(dt);
            phi(i, i) = b(0, 0);
            phi(i, N + i) = b(0, 1);
            phi(N + i, i) = b(1, 0);
            phi(N + i, N + i) = b(1, 1);
        }
        return phi;
    }
    // Q(dt) over the whole state, block-diagonal over the axes like Phi.
    SymmetricMatrix<2 * N> covariance(double dt) const {
        SymmetricMatrix<2 * N> q;
        for (int i = 0; i < N; ++i) {
            const SymmetricMatrix<2> b = axes_[i].covariance(dt);
            q(i, i) = b(0, 0);
            q(i, N + i) = b(0, 1);
            q(N + i, N + i) = b(1, 1);
        }
        return q;
    }

private:
    Vector<N> center_;
    Vector<N> position_sigma_;
    Vector<N> velocity_sigma_;
    Vector<N> process_noise_;
    std::vector<ConstantVelocitySDE> axes_;
};

template <int N>
const config::Schema<typename MouProcess<N>::Parameters>& MouProcess<N>::schema() {
    using P = Parameters;
    const auto sigma_check = config::positive_finite().says("mou process {element} must be positive and finite: "
                                                            "{entry} = {value}");
    static const auto schema =
        config::Schema<P>(key(), "a mean-reverting position and velocity on each axis")
            .required(&P::center, "center", "the stationary mean position of each axis", config::finite())
            .required(&P::position_sigma, "position_sigma", "the stationary position standard deviation",
                      sigma_check)
            .required(&P::velocity_sigma, "velocity_sigma", "the stationary velocity standard deviation",
                      sigma_check)
            .required(&P::process_noise, "process_noise", "the spectral density of the velocity noise",
                      config::non_negative_finite());
    return schema;
}

}  // namespace nmrc
