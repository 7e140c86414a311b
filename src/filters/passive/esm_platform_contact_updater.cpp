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

EsmPlatformContactUpdater::EsmPlatformContactUpdater(const xml::Querier& querier)
    : gate_(read_non_negative_gate(querier, "gate is negative in EsmPlatformContactUpdater")),
      library_(querier.tag("platform_esm_mode_library")),
      prior_(read_probabilities(querier, "prior_platform_type_distribution")) {
    check_same_length(prior_.size(), "prior_platform_type_distribution", library_.size(),
                      "platform_esm_mode_library", owner);
}

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
