#pragma once
#include <memory>

#include "config/schema.h"
#include "filters/passive/emission_platform_library.h"
#include "numerics/dynamic_vector.h"
#include "tracker/filter.h"

namespace ostrel {

// What a measured radar emission frequency says about a track: its emission
// estimate (fusion::RadarEmissionEstimateState) and its platform type
// (PlatformTypeDistributionState; uniform over the configured platforms
// while the track holds none). Parameters shared by both keys: "filter"
// (the inner filter), "emission_gate" (a squared distance, or "infinity"),
// "platform_type_gate" (a probability floor, not negative) and "platforms"
// (the emission bands of each platform type).
class EmissionPlatformTypeFilter : public Filter {
public:
    struct Parameters {
        FilterPtr filter;
        double emission_gate = 0;
        double platform_type_gate = 0;
        std::shared_ptr<const EmissionPlatformLibrary> platforms;
    };
    static const config::Schema<Parameters>& schema();

    explicit EmissionPlatformTypeFilter(const Parameters& parameters);
    explicit EmissionPlatformTypeFilter(const xml::Querier& querier) : EmissionPlatformTypeFilter(schema().bind(querier)) {}

protected:
    // The track's platform-type belief, checked against the library's size.
    nmrc::DynamicVector belief(const TrackState& track, const char* owner) const;
    // p' = joint, e = sum p': rejects the hypothesis when e <= the platform
    // type gate; otherwise scores ln e, inserts p' / e, and returns true.
    bool apply_platform_evidence(nmrc::DynamicVector joint, TrackState& track) const;

    const FilterPtr inner_;
    const double emission_gate_;
    const double platform_type_gate_;
    const EmissionPlatformLibrary platforms_;
};

// Key "emission_radar_emission_platform_type_contact_updater_and_gater"; the
// contact carries a measured frequency as an EmissionEstimateState (z, R).
// 1. Emission: with a track estimate (x, P): nu = z - x, S = P + R,
//    d^2 = nu^2 / S; d^2 >= emission_gate rejects the hypothesis; else
//    ln p = -ln(2 pi S) / 2 - d^2 / 2 is scored and the estimate updated
//    (K = P / S, x' = x + K nu, P' = P - K P). Without one, (z, R) starts it
//    (no score: the platform evidence below scores the frequency).
// 2. Platform type: a type can have emitted z only inside its bands:
//    p_t' = p_t [z in bands_t], e = sum p_t', as in
//    apply_platform_evidence.
// 3. While admissible, the inner filter runs.
class EmissionRadarEmissionPlatformTypeContactUpdaterAndGater : public EmissionPlatformTypeFilter {
public:
    using EmissionPlatformTypeFilter::EmissionPlatformTypeFilter;
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "emission_radar_emission_platform_type_coast_updater_and_gater": a
// coast pass of the emission receiver. With Pd the frame's
// DetectionProbabilityState and c_t the share of type t's emission bands
// inside the receiver's FrequencyFootprintState (all of them when the frame
// holds none), a platform of type t goes unheard with probability
// q_t = 1 - Pd c_t: p_t' = p_t q_t, e = sum p_t', as in
// apply_platform_evidence; then the inner filter runs while admissible. No
// emission is measured, so the emission estimate and "emission_gate" are
// not used here.
class EmissionRadarEmissionPlatformTypeCoastUpdaterAndGater : public EmissionPlatformTypeFilter {
public:
    using EmissionPlatformTypeFilter::EmissionPlatformTypeFilter;
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

}  // namespace ostrel
