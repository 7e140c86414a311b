#pragma once
#include <string>

#include "model/composite_state.h"
#include "model/contacts/esm_contact.h"
#include "numerics/normal.h"
#include "tracker/filter.h"
#include "xml/querier.h"

// Builders shared by the passive-sensor and platform filter tests.
namespace passive_test {

constexpr double degree = 0.017453292519943295;  // pi / 180

inline xml::Querier parse(const std::string& element) { return xml::Querier::parse("\n" + element); }

// Registers "no_op" and every passive key in the program's filter factory
// (quietly: a key already there is kept).
void register_keys();
ostrel::FilterPtr build(const std::string& element);

// A position-velocity estimate with diagonal covariance.
nmrc::Normal<6> estimate(const nmrc::Vector<3>& position, double position_variance,
                         double velocity_variance = 1.0);
// A track holding that estimate at `time`.
ostrel::TrackState track_with(const nmrc::Normal<6>& estimate, double time = 0.0);
const nmrc::Normal<6>& estimate_of(const ostrel::TrackState& track);

// Contacts, each with its TimeState.
state::CompositeState radar_contact(const nmrc::Vector<3>& sensor,
                                    const nmrc::Vector<3>& r_theta_phi,
                                    const nmrc::Vector<3>& sigmas, double time = 0.0);
state::CompositeState theta_phi_contact(const nmrc::Vector<3>& sensor, double theta, double phi,
                                        double sigma, double min_range, double max_range);
state::CompositeState range_theta_phi_contact(const nmrc::Vector<3>& sensor,
                                              const nmrc::Normal<3>& measurement);
state::CompositeState esm_contact(ostrel::EsmContact::Fields fields);
// An ESM intercept with only a mode distribution (sensor at the origin,
// bearing 0, range [1, 2]).
state::CompositeState mode_contact(std::initializer_list<double> mode_likelihoods);
state::CompositeState gps_contact(const nmrc::Vector<3>& position, double sigma, int gps_id,
                                  int platform_type, double time = 0.0);

nmrc::DynamicVector dynamic(std::initializer_list<double> values);

}  // namespace passive_test
