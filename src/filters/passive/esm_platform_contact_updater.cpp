#include "filters/passive/esm_platform_contact_updater.h"

#include <cmath>

#include "filters/passive/discrete_belief.h"
#include "filters/passive/passive_parameters.h"
#include "filters/passive/platform_type_belief.h"
#include "model/contacts/esm_contact.h"
#include "model/states/platform_type_distribution_state.h"

namespace ostrel {

namespace {
const char* const owner = "EsmPlatformContactUpdater";
}

const config::Schema<EsmPlatformContactUpdater::Parameters>& EsmPlatformContactUpdater::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("esm_platform_contact_updater", "updates a track's platform-type belief by an intercept")
            .required(&P::gate, "gate", "the intercept probability at or below which a contact is rejected",
                      probability_gate("gate is negative in EsmPlatformContactUpdater"))
            .product(&P::platform_esm_mode_library, "platform_esm_mode_library", "a platform mode library",
                     "the emitter modes of each platform type", &read_platform_mode_library)
            .required(&P::prior_platform_type_distribution, "prior_platform_type_distribution",
                      "the prior probability of each platform type", probability_entry(), not_empty())
            .rule("prior_platform_type_distribution", "as long as platform_esm_mode_library",
                  [](const P& p) {
                      return p.platform_esm_mode_library->size() == p.prior_platform_type_distribution.size();
                  },
                  [](const P& p) {
                      return std::to_string(p.prior_platform_type_distribution.size()) + " entries, " +
                             "platform_esm_mode_library has " + std::to_string(p.platform_esm_mode_library->size());
                  },
                  "size mismatch in EsmPlatformContactUpdater: prior_platform_type_distribution has {value}");
    return schema;
}

EsmPlatformContactUpdater::EsmPlatformContactUpdater(const Parameters& parameters)
    : gate_(schema().validate(parameters).gate),
      library_(*parameters.platform_esm_mode_library),
      prior_(parameters.prior_platform_type_distribution) {}

void EsmPlatformContactUpdater::update(const state::CompositeState& contact,
                                       TrackState& track) const {
    const nmrc::DynamicVector& likelihood = contact.get<EsmContact>().mode_distribution;
    nmrc::DynamicVector p = platform_type_belief(track.states, prior_, library_.size(), owner);
    for (int t = 0; t < p.size(); ++t) {
        const std::vector<int>& modes = library_.modes(t);
        double sum = 0.0;
        for (int k : modes) {
            check_index(k, likelihood.size(), "mode index", "the contact's mode_distribution",
                        owner);
            sum += likelihood[k];
        }
        // L_t = (sum of its modes' likelihoods) / n_t; p_t' = p_t L_t
        p[t] = modes.empty() ? 0.0 : p[t] * sum / static_cast<double>(modes.size());
    }
    const double e = total(p);
    if (e <= gate_ || !(e > 0.0)) {
        track.gates = false;
        return;
    }
    track.log_likelihood += std::log(e);
    track.states.insert(std::make_shared<const PlatformTypeDistributionState>(divided(p, e)));
}

}  // namespace ostrel
