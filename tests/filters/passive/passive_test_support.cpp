#include "filters/passive/passive_test_support.h"

#include "filters/passive/passive_filter_registry.h"
#include "model/contacts/gps_contact.h"
#include "model/contacts/range_theta_phi_estimate_state.h"
#include "model/contacts/spherical_contact.h"
#include "model/contacts/theta_phi_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/time_state.h"
#include "tracker/structural_filters.h"

namespace passive_test {

void register_keys() {
    ostrel::FilterFactory& factory = ostrel::filter_factory();
    factory.registerize("no_op", &util::create<const ostrel::Filter, ostrel::NoOp>);
    for (const ostrel::FilterKey& k : ostrel::passive_filter_keys())
        factory.registerize(k.key, k.creator);
}

ostrel::FilterPtr build(const std::string& element) {
    register_keys();
    return ostrel::filter_factory().create(parse(element));
}

nmrc::Normal<6> estimate(const nmrc::Vector<3>& position, double position_variance,
                         double velocity_variance) {
    nmrc::Normal<6> e;
    e.mean.set_segment(0, position);
    for (int i = 0; i < 3; ++i) {
        e.covariance(i, i) = position_variance;
        e.covariance(3 + i, 3 + i) = velocity_variance;
    }
    return e;
}

ostrel::TrackState track_with(const nmrc::Normal<6>& e, double time) {
    ostrel::TrackState track(state::Label{0, 1});
    track.states.insert(std::make_shared<const state::PositionVelocityEstimateState<3>>(e, time));
    return track;
}

const nmrc::Normal<6>& estimate_of(const ostrel::TrackState& track) {
    return track.states.get<state::PositionVelocityEstimateState<3>>().estimate;
}

namespace {
state::CompositeState with_time(state::StatePtr s, double time) {
    state::CompositeState c;
    c.insert(std::move(s));
    c.insert(std::make_shared<const state::TimeState>(time));
    return c;
}
}  // namespace

state::CompositeState radar_contact(const nmrc::Vector<3>& sensor, const nmrc::Vector<3>& rtp,
                                    const nmrc::Vector<3>& sigmas, double time) {
    return with_time(std::make_shared<const ostrel::SphericalContact>(sensor, rtp, sigmas, time), time);
}

state::CompositeState theta_phi_contact(const nmrc::Vector<3>& sensor, double theta, double phi,
                                        double sigma, double min_range, double max_range) {
    return with_time(std::make_shared<const state::ThetaPhiEstimateState>(
                         sensor, 0.0, nmrc::Vector<2>{theta, phi}, nmrc::Vector<2>{sigma, sigma},
                         pntset::OpenInterval(min_range, max_range)),
                     0.0);
}

state::CompositeState range_theta_phi_contact(const nmrc::Vector<3>& sensor,
                                              const nmrc::Normal<3>& measurement) {
    return with_time(
        std::make_shared<const state::RangeThetaPhiEstimateState>(sensor, measurement, 0.0), 0.0);
}

state::CompositeState esm_contact(ostrel::EsmContact::Fields fields) {
    const double time = fields.time;
    return with_time(std::make_shared<const ostrel::EsmContact>(std::move(fields)), time);
}

nmrc::DynamicVector dynamic(std::initializer_list<double> values) {
    nmrc::DynamicVector v(static_cast<int>(values.size()));
    int k = 0;
    for (double x : values) v[k++] = x;
    return v;
}

state::CompositeState mode_contact(std::initializer_list<double> mode_likelihoods) {
    ostrel::EsmContact::Fields f;
    f.min_range = 1.0;
    f.max_range = 2.0;
    f.mode_distribution = dynamic(mode_likelihoods);
    return esm_contact(std::move(f));
}

state::CompositeState gps_contact(const nmrc::Vector<3>& position, double sigma, int gps_id,
                                  int platform_type, double time) {
    return with_time(
        std::make_shared<const ostrel::GpsContact<3>>(position, sigma, gps_id, platform_type, time),
        time);
}

}  // namespace passive_test
