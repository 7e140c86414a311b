#pragma once
#include <memory>

#include "config/schema.h"
#include "filters/passive/platform_mode_library.h"
#include "numerics/dynamic_vector.h"
#include "tracker/filter.h"

namespace ostrel {

// Key "esm_platform_contact_updater": Bayes' rule on the track's platform
// type from an ESM intercept. The belief p is the track's
// PlatformTypeDistributionState, or "prior_platform_type_distribution" when
// it holds none. A platform type t listing n_t modes in
// "platform_esm_mode_library" shows each of them equally often, so
// L_t = (sum over its modes of the contact's mode_distribution) / n_t (0 when
// it lists none); p_t' = p_t L_t and e = sum p_t'. If e <= "gate" (a number,
// not negative) the hypothesis is rejected and nothing inserted; otherwise
// p' / e becomes the track's belief and ln e is scored.
class EsmPlatformContactUpdater : public Filter {
public:
    struct Parameters {
        double gate = 0;
        std::shared_ptr<const PlatformModeLibrary> platform_esm_mode_library;
        nmrc::DynamicVector prior_platform_type_distribution;
    };
    static const config::Schema<Parameters>& schema();

    explicit EsmPlatformContactUpdater(const Parameters& parameters);
    explicit EsmPlatformContactUpdater(const xml::Querier& querier) : EsmPlatformContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
    const PlatformModeLibrary library_;
    const nmrc::DynamicVector prior_;
};

}  // namespace ostrel
