#include "filters/passive/emission_platform_filters.h"

#include <cmath>

#include "filters/filter_schema.h"
#include "filters/passive/discrete_belief.h"
#include "filters/passive/passive_parameters.h"
#include "filters/passive/platform_type_belief.h"
#include "model/contacts/emission_estimate_state.h"
#include "model/fusion/radar_emission_estimate_state.h"
#include "model/states/detection_probability_state.h"
#include "model/states/platform_type_distribution_state.h"
#include "numerics/gaussian.h"

namespace ostrel {

namespace {

std::shared_ptr<const EmissionPlatformLibrary> read_platforms(const xml::Querier& platforms) {
    return std::make_shared<const EmissionPlatformLibrary>(platforms);
}

}  // namespace

const config::Schema<EmissionPlatformTypeFilter::Parameters>& EmissionPlatformTypeFilter::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("emission_platform_type_filter",
                          "updates a track's platform-type belief by the radar emission it is heard on")
            .product(&P::filter, "filter", filter_form(), "the filter run after an accepted update", &make_filter_in)
            .required(&P::emission_gate, "emission_gate", "the squared Mahalanobis distance of the emission at "
                      "which a contact is rejected", infinity(), threshold())
            .required(&P::platform_type_gate, "platform_type_gate",
                      "the probability at or below which the platform-type evidence rejects the pass",
                      probability_floor())
            .product(&P::platforms, "platforms", "a platforms element", "the emission bands of each platform type",
                     &read_platforms);
    return schema;
}

EmissionPlatformTypeFilter::EmissionPlatformTypeFilter(const Parameters& parameters)
    : inner_(schema().validate(parameters).filter),
      emission_gate_(parameters.emission_gate),
      platform_type_gate_(parameters.platform_type_gate),
      platforms_(*parameters.platforms) {}

nmrc::DynamicVector EmissionPlatformTypeFilter::belief(const TrackState& track,
                                                       const char* owner) const {
    const int n = platforms_.size();
    const nmrc::DynamicVector uniform(n, n > 0 ? 1.0 / n : 0.0);
    return platform_type_belief(track.states, uniform, n, owner);
}

bool EmissionPlatformTypeFilter::apply_platform_evidence(nmrc::DynamicVector joint,
                                                         TrackState& track) const {
    const double e = total(joint);
    if (e <= platform_type_gate_ || !(e > 0.0)) {
        track.gates = false;
        return false;
    }
    track.log_likelihood += std::log(e);
    track.states.insert(std::make_shared<const PlatformTypeDistributionState>(divided(joint, e)));
    return true;
}

void EmissionRadarEmissionPlatformTypeContactUpdaterAndGater::update(
    const state::CompositeState& contact, TrackState& track) const {
    using Estimate = fusion::RadarEmissionEstimateState;
    const auto& z = contact.get<state::EmissionEstimateState>();
    nmrc::Normal<1> emission = z.estimate;  // a first emission starts the estimate
    double emission_score = 0.0;
    if (const auto x = track.states.get_ptr<Estimate>()) {
        const nmrc::SymmetricMatrix<1> s = x->frequency.covariance + z.estimate.covariance;  // S
        const nmrc::Vector<1> nu = z.estimate.mean - x->frequency.mean;                   // nu
        const nmrc::GaussianScore score = nmrc::gaussian_score(nu, s);
        if (score.mahalanobis_squared >= emission_gate_) {
            track.gates = false;
            return;
        }
        emission_score = score.log_density;
        const double k = x->frequency.covariance(0, 0) / s(0, 0);  // K = P / S
        emission.mean[0] = x->frequency.mean[0] + k * nu[0];       // x' = x + K nu
        emission.covariance(0, 0) = x->frequency.covariance(0, 0) * (1.0 - k);  // P' = P - K P
    }
    // p_t' = p_t [z in bands_t]
    nmrc::DynamicVector p = belief(track, "EmissionRadarEmissionPlatformTypeContactUpdaterAndGater");
    for (int t = 0; t < p.size(); ++t)
        if (!platforms_.emits_at(t, z.estimate.mean[0])) p[t] = 0.0;
    if (!apply_platform_evidence(std::move(p), track)) return;
    track.log_likelihood += emission_score;
    track.states.insert(std::make_shared<const Estimate>(z.time, emission));
    if (track.gates) inner_->update(contact, track);
}

void EmissionRadarEmissionPlatformTypeCoastUpdaterAndGater::update(
    const state::CompositeState& contact, TrackState& track) const {
    const double pd = contact.get<snsr::DetectionProbabilityState>().detection_probability;
    const auto footprint = contact.get_ptr<fusion::FrequencyFootprintState>();
    nmrc::DynamicVector p = belief(track, "EmissionRadarEmissionPlatformTypeCoastUpdaterAndGater");
    for (int t = 0; t < p.size(); ++t) {
        // c_t: the share of the type's bands the receiver covers
        const double c = footprint ? platforms_.covered_share(t, footprint->bands)
                                   : (platforms_.has_bands(t) ? 1.0 : 0.0);
        p[t] *= 1.0 - pd * c;  // q_t = 1 - Pd c_t
    }
    if (!apply_platform_evidence(std::move(p), track)) return;
    if (track.gates) inner_->update(contact, track);
}

}  // namespace ostrel
