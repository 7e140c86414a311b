#pragma once
#include "numerics/symmetric_matrix.h"
#include "filters/filter_schema.h"
#include "tracker/filter.h"

namespace ostrel {

// Key "gps_position_velocity_3d_initializer": starts the track's
// PositionVelocityEstimateState<N> from the contact's GpsContact<N>: mean
// (position, 0), covariance [[sigma^2 I, 0], [0, "prior_velocity_covariance"]],
// at the contact's time. The score is unchanged.
template <int N>
class GpsPositionVelocityInitializer : public Filter {
public:
    struct Parameters {
        nmrc::SymmetricMatrix<N> prior_velocity_covariance;
    };
    static const config::Schema<Parameters>& schema();

    explicit GpsPositionVelocityInitializer(const Parameters& parameters);
    explicit GpsPositionVelocityInitializer(const xml::Querier& querier)
        : GpsPositionVelocityInitializer(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const nmrc::SymmetricMatrix<N> prior_velocity_covariance_;
};

// Key "gps_position_velocity_3d_contact_updater": the position Kalman update
// of the track's PositionVelocityEstimateState<N> with z = the GPS position
// and R = sigma^2 I. d^2 >= "gate" rejects the hypothesis; otherwise ln p is
// scored and the estimate, at the contact's time, replaces the old one.
template <int N>
class GpsPositionVelocityContactUpdater : public Filter {
public:
    using Parameters = GateParameters;
    static const config::Schema<Parameters>& schema();

    explicit GpsPositionVelocityContactUpdater(const Parameters& parameters) : gate_(schema().validate(parameters).gate) {}
    explicit GpsPositionVelocityContactUpdater(const xml::Querier& querier)
        : GpsPositionVelocityContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
};

extern template class GpsPositionVelocityInitializer<3>;
extern template class GpsPositionVelocityContactUpdater<3>;

}  // namespace ostrel
