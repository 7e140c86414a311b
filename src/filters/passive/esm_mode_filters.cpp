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

nmrc::DynamicVector mode_prior_of(const EsmModeInitializer::Parameters& p) {
    const nmrc::DynamicVector& prior = p.prior_platform_type_distribution;
    const PlatformModeLibrary& library = *p.platform_esm_mode_library;
    // prior_mode(k) = sum of p_t over the platform types t that list mode k
    nmrc::DynamicVector modes(library.mode_count());
    for (int t = 0; t < library.size(); ++t)
        for (int k : library.modes(t)) modes[k] += prior[t];
    const double sum = total(modes);
    if (!(sum > 0.0)) throw util::Exception("sum not positive in EsmModeInitializer");
    return divided(modes, sum);
}

}  // namespace

const config::Schema<EsmModeInitializer::Parameters>& EsmModeInitializer::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("esm_mode_initializer", "starts a track's belief over emitter modes")
            .required(&P::prior_platform_type_distribution, "prior_platform_type_distribution",
                      "the prior probability of each platform type", probability_entry(), not_empty())
            .product(&P::platform_esm_mode_library, "platform_esm_mode_library", "a platform mode library",
                     "the emitter modes of each platform type", &read_platform_mode_library)
            .rule("platform_esm_mode_library", "as long as prior_platform_type_distribution",
                  [](const P& p) {
                      return p.platform_esm_mode_library->size() == p.prior_platform_type_distribution.size();
                  },
                  [](const P& p) { return std::to_string(p.platform_esm_mode_library->size()) + " platform types"; },
                  "size mismatch between prior_platform_type_distribution and platform_mode_library in "
                  "EsmModeInitializer");
    return schema;
}

EsmModeInitializer::EsmModeInitializer(const Parameters& parameters)
    : mode_prior_(mode_prior_of(schema().validate(parameters))) {}

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

const config::Schema<EsmModeContactUpdater::Parameters>& EsmModeContactUpdater::schema() {
    static const auto schema =
        config::Schema<Parameters>("esm_mode_contact_updater", "updates a track's belief over emitter modes")
            .required(&Parameters::gate, "gate", "the intercept probability at or below which a contact is rejected",
                      probability_gate("gate is negative in EsmModeUpdater"));
    return schema;
}

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
