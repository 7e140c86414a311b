#pragma once
#include <array>

#include "model/composite_state.h"
#include "numerics/normal.h"

namespace ostrel {

// One measurement as an angle updater sees it: the measured components z
// with their noise covariance R, taken from a sensor position at a time.
template <int M>
struct AngleMeasurement {
    nmrc::Vector<M> z;
    nmrc::SymmetricMatrix<M> noise;
    nmrc::Vector<3> sensor;
    double time = 0;
};

// A measurement model names the spherical components its contact kind
// measures (0 range, 1 bearing, 2 elevation; the bearing is the one whose
// innovation is wrapped), reads the measurement from the contact, and
// converts it into a Cartesian position estimate for the converted-
// measurement (KF) update and the first step of the iterated update.

// SphericalContact ("radar_contact"): (r, theta, phi), R = diag(sigma^2).
struct RadarMeasurementModel {
    static constexpr int size = 3;
    static constexpr std::array<int, size> components{{0, 1, 2}};
    static AngleMeasurement<size> measure(const state::CompositeState& contact);
    static nmrc::Normal<3> converted_position(const state::CompositeState& contact);
};

// RangeThetaPhiEstimateState: (r, theta, phi) with its full covariance.
struct RangeThetaPhiMeasurementModel {
    static constexpr int size = 3;
    static constexpr std::array<int, size> components{{0, 1, 2}};
    static AngleMeasurement<size> measure(const state::CompositeState& contact);
    static nmrc::Normal<3> converted_position(const state::CompositeState& contact);
};

// ThetaPhiEstimateState: (theta, phi), R = diag(sigma^2). Converted with the
// midpoint of its range interval as range and a range variance of a uniform
// law over the interval, (interval measure)^2 / 12.
struct ThetaPhiMeasurementModel {
    static constexpr int size = 2;
    static constexpr std::array<int, size> components{{1, 2}};
    static AngleMeasurement<size> measure(const state::CompositeState& contact);
    static nmrc::Normal<3> converted_position(const state::CompositeState& contact);
};

// EsmContact: a range pseudo-measurement, the midpoint of [min_range,
// max_range] with the variance of a uniform range (max - min)^2 / 12, and the
// bearing. Converted with elevation 0 and the variance pi^2 / 12 of an
// elevation uniform over a half turn.
struct EsmMeasurementModel {
    static constexpr int size = 2;
    static constexpr std::array<int, size> components{{0, 1}};
    static AngleMeasurement<size> measure(const state::CompositeState& contact);
    static nmrc::Normal<3> converted_position(const state::CompositeState& contact);
};

}  // namespace ostrel
