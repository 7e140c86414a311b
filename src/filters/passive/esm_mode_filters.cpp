#include "filters/passive/esm_mode_filters.h"

#include <cmath>

#include "filters/passive/discrete_belief.h"
#include "filters/passive/esm_mode_state.h"
#include "filters/passive/passive_parameters.h"
#include "filters/passive/platform_mode_library.h"
#include "model/contacts/esm_contact.h"

namespace ostrel {

namespace {

// m_k = belief_k L_k, the joint probability of mode k and the intercept.
nmrc::DynamicVector joint(const nmrc::DynamicVector& belief, const nmrc::DynamicVector& likelihood,
                          const std::string& belief_name, const std::string& owner) {
    check_same_length(likelihood.size(), "the contact's mode_distribution", belief.size(),
                      belief_name, owner);
    nmrc::DynamicVector m(belief.size());
    for (int k = 0; k < m.size(); ++k) m[k] = belief[k] * likelihood[k];
    return m;
}

}  // namespace

namespace {
nmrc::DynamicVector read_mode_prior(const xml::Querier& querier) {
    const nmrc::DynamicVector prior = read_probabilities(querier, "prior_platform_type_distribution");
    const PlatformModeLibrary library(querier.tag("platform_esm_mode_library"));
    if (library.size() != prior.size())
        throw util::Exception(
            "size mismatch between prior_platform_type_distribution and platform_mode_library in "
            "EsmModeInitializer");
    // prior_mode(k) = sum of p_t over the platform types t that list mode k
    nmrc::DynamicVector modes(library.mode_count());
    for (int t = 0; t < library.size(); ++t)
        for (int k : library.modes(t)) modes[k] += prior[t];
    const double sum = total(modes);
    if (!(sum > 0.0)) throw util::Exception("sum not positive in EsmModeInitializer");
    return divided(modes, sum);
}
}  // namespace

EsmModeInitializer::EsmModeInitializer(const xml::Querier& querier)
    : mode_prior_(read_mode_prior(querier)) {}

void EsmModeInitializer::update(const state::CompositeState& contact, TrackState& track) const {
    const auto& esm = contact.get<EsmContact>();
    const nmrc::DynamicVector m =
        joint(mode_prior_, esm.mode_distribution, "the mode prior", "EsmModeInitializer");
    const double e = total(m);  // e = sum_k prior_k L_k
    if (!(e > 0.0)) {
        track.gates = false;
        return;
    }
    track.log_likelihood += std::log(e);
    track.states.insert(std::make_shared<const EsmModeState>(divided(m, e)));
}

EsmModeContactUpdater::EsmModeContactUpdater(const xml::Querier& querier)
    : gate_(read_non_negative_gate(querier, "gate is negative in EsmModeUpdater")) {}

void EsmModeContactUpdater::update(const state::CompositeState& contact, TrackState& track) const {
    const auto& esm = contact.get<EsmContact>();
    const auto& belief = track.states.get<EsmModeState>();
    const nmrc::DynamicVector m = joint(belief.distribution, esm.mode_distribution,
                                        "the track's esm_mode_state", "EsmModeContactUpdater");
    const double e = total(m);  // the predictive probability of the intercept
    if (e <= gate_ || !(e > 0.0)) {
        track.gates = false;
        return;
    }
    track.log_likelihood += std::log(e);
    track.states.insert(std::make_shared<const EsmModeState>(divided(m, e)));
}

}  // namespace ostrel
