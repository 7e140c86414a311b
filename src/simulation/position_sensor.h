#pragma once
#include <limits>
#include <memory>
#include <string>

#include "config/schema.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_state.h"
#include "model/states/position_velocity_state.h"
#include "numerics/cholesky.h"
#include "numerics/random.h"
#include "numerics/symmetric_matrix.h"
#include "numerics/value_forms.h"
#include "simulation/sensor_support.h"
#include "simulation/simulator.h"

namespace snsr {

// Where a position sensor finds the true position in a truth state kind.
template <class Truth>
struct TruthPosition;

template <int N>
struct TruthPosition<state::PositionState<N>> {
    static constexpr int dimension = N;
    static const nmrc::Vector<N>& of(const state::PositionState<N>& s) { return s.position; }
};

template <int N>
struct TruthPosition<state::PositionVelocityState<N>> {
    static constexpr int dimension = N;
    static const nmrc::Vector<N>& of(const state::PositionVelocityState<N>& s) { return s.position; }
};

// Measures the position of the truth a contact refers to: inserts into the
// contact a PositionEstimateState<N> with mean = truth position + L z
// (L L^T = "covariance", z N deviates in axis order), covariance =
// "covariance", and the truth's time (its TimeState, else the contact's).
// The covariance must be positive definite: the Cholesky factor is taken at
// construction. Key: the truth kind's key + "_position_sensor".
template <class Truth>
class PositionSensor : public smltr::Simulator {
public:
    static constexpr int N = TruthPosition<Truth>::dimension;
    static std::string key() { return Truth::key() + "_position_sensor"; }

    struct Parameters {
        nmrc::SymmetricMatrix<N> covariance = nmrc::SymmetricMatrix<N>::identity();
    };
    static const config::Schema<Parameters>& schema() {
        static const auto schema =
            config::Schema<Parameters>(key(), "measures the position of a contact's truth with normal errors")
                .required(&Parameters::covariance, "covariance", "the covariance of the measurement errors",
                          config::finite(),
                          config::positive_definite<N>().says(
                              "Attempt to factor non-positive definite matrix in CholeskyDecomposition."));
        return schema;
    }

    explicit PositionSensor(const Parameters& parameters)
        : covariance_(schema().validate(parameters).covariance), factor_(covariance_) {}
    explicit PositionSensor(const nmrc::SymmetricMatrix<N>& covariance) : PositionSensor(Parameters{covariance}) {}
    explicit PositionSensor(const xml::Querier& querier) : PositionSensor(schema().bind(querier)) {}

    void simulate(state::CompositeState& contact) override {
        const state::CompositeState& truth = truth_of(key(), contact);
        const nmrc::Vector<N>& position =
            TruthPosition<Truth>::of(truth_part<Truth>(key(), truth, Truth::key()));
        const double time =
            measurement_time(key(), truth, contact, std::numeric_limits<double>::quiet_NaN());
        nmrc::Vector<N> z;
        for (int i = 0; i < N; ++i) z[i] = normal_.next();
        // mean = p + L z
        const nmrc::Normal<N> estimate(position + factor_.lower_times(z), covariance_);
        contact.insert(std::make_shared<const state::PositionEstimateState<N>>(estimate, time));
    }

    const nmrc::SymmetricMatrix<N>& covariance() const { return covariance_; }

private:
    nmrc::SymmetricMatrix<N> covariance_;
    nmrc::CholeskyDecomposition<N> factor_;
    nmrc::NormalGenerator normal_;
};

}  // namespace snsr
