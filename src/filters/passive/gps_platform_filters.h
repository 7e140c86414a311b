#pragma once
#include "numerics/dynamic_vector.h"
#include "filters/filter_schema.h"
#include "tracker/filter.h"

namespace ostrel {

// Key "gps_3d_platform_contact_udpater": a GPS report names its platform's
// GPS id and type.
// 1. A track already bound to another GPS id (its GpsIdState) cannot take
//    the report: the hypothesis is rejected.
// 2. Otherwise a = the probability of the reported platform_type in the
//    track's platform-type belief ("prior_platform_type_distribution" when
//    it holds none). If a > "gate" (a number, not negative): ln a is scored,
//    the belief becomes certain of the reported type, and the track is bound
//    to the report's GPS id. Otherwise the hypothesis is rejected.
template <int N>
class GpsPlatformContactUpdater : public Filter {
public:
    struct Parameters {
        double gate = 0;
        nmrc::DynamicVector prior_platform_type_distribution;
    };
    static const config::Schema<Parameters>& schema();

    explicit GpsPlatformContactUpdater(const Parameters& parameters)
        : gate_(schema().validate(parameters).gate), prior_(parameters.prior_platform_type_distribution) {}
    explicit GpsPlatformContactUpdater(const xml::Querier& querier) : GpsPlatformContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
    const nmrc::DynamicVector prior_;
};

// Key "gps_contact_updater_and_gater": the kinematic side of a GPS report.
// A track bound to another GPS id is rejected. Otherwise the position Kalman
// update of the track's PositionVelocityEstimateState<3> with z = the GPS
// position and R = sigma^2 I: d^2 >= "gate" rejects the hypothesis; else ln p
// is scored, the estimate (at the report's time) replaces the old one and the
// track is bound to the report's GPS id. While the hypothesis is admissible
// the inner filter ("filter") then runs with the same arguments.
class GpsContactUpdaterAndGater : public Filter {
public:
    struct Parameters {
        FilterPtr filter;
        double gate = 0;
    };
    static const config::Schema<Parameters>& schema();

    explicit GpsContactUpdaterAndGater(const Parameters& parameters)
        : inner_(schema().validate(parameters).filter), gate_(parameters.gate) {}
    explicit GpsContactUpdaterAndGater(const xml::Querier& querier) : GpsContactUpdaterAndGater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const FilterPtr inner_;
    const double gate_;
};

extern template class GpsPlatformContactUpdater<3>;

}  // namespace ostrel
