#include "filters/m_of_n.h"

#include "filters/filter_schema.h"
#include "filters/m_of_n_parameters.h"
#include "model/states/confirmed_state.h"
#include "model/states/m_of_n_state.h"
#include "util/recent_values.h"

namespace ostrel {

const config::Schema<config::NoParameters>& MofNInitializer::schema() {
    return config::parameterless("m_of_n_initializer", "starts a track's m-of-n counts at one contact in one scan");
}

const config::Schema<config::NoParameters>& MofNContactUpdater::schema() {
    return config::parameterless("m_of_n_contact_updater", "counts a contact and a scan");
}

const config::Schema<config::NoParameters>& MofNCoastUpdater::schema() {
    return config::parameterless("m_of_n_coast_updater", "counts a scan without a contact");
}

void MofNInitializer::update(const state::CompositeState&, TrackState& track) const {
    track.states.insert(util::recent_shared<MofNState>(1, 1));
}

void MofNContactUpdater::update(const state::CompositeState&, TrackState& track) const {
    const auto& counts = track.states.get<MofNState>();
    track.states.insert(util::recent_shared<MofNState>(counts.m + 1, counts.n + 1));
}

void MofNCoastUpdater::update(const state::CompositeState&, TrackState& track) const {
    const auto& counts = track.states.get<MofNState>();
    track.states.insert(util::recent_shared<MofNState>(counts.m, counts.n + 1));
}

const config::Schema<MofNConfirmer::Parameters>& MofNConfirmer::schema() {
    using P = Parameters;
    static const auto schema = [] {
        config::Schema<P> s("m_of_n_confirmer", "confirms a track with m contacts within its first n scans");
        declare_m_of_n(s)
            .required(&P::confirmation_reward, "confirmation_reward", "the reward for confirming a track",
                      positive_reward())
            .required(&P::continuation_reward, "continuation_reward", "the reward for each pass of a confirmed track",
                      positive_reward());
        return s;
    }();
    return schema;
}

MofNConfirmer::MofNConfirmer(const Parameters& parameters)
    : m_(schema().validate(parameters).m),
      n_(parameters.n),
      log_confirmation_reward_(std::log(parameters.confirmation_reward)),
      log_continuation_reward_(std::log(parameters.continuation_reward)) {}

void MofNConfirmer::update(const state::CompositeState&, TrackState& track) const {
    const auto& counts = track.states.get<MofNState>();
    if (track.states.has<ConfirmedState>()) {
        track.log_likelihood += log_continuation_reward_;
        return;
    }
    if (counts.n > n_ || counts.m < m_) return;
    track.states.insert(std::make_shared<const ConfirmedState>());
    track.log_likelihood += log_confirmation_reward_;
}

const config::Schema<MofNGater::Parameters>& MofNGater::schema() {
    using P = Parameters;
    static const auto schema = [] {
        config::Schema<P> s("m_of_n_gater", "rejects a track that can no longer reach m contacts within n scans");
        s.product(&P::filter, "filter", filter_form(), "the filter run for a track that still can", &make_filter_in);
        declare_m_of_n(s);
        return s;
    }();
    return schema;
}

MofNGater::MofNGater(const Parameters& parameters)
    : inner_(schema().validate(parameters).filter), m_(parameters.m), n_(parameters.n) {}

void MofNGater::update(const state::CompositeState& contact, TrackState& track) const {
    // The counts before the inner filter advances them.
    const auto& counts = track.states.get<MofNState>();
    const std::int32_t ms = counts.m;
    const std::int32_t ns = counts.n;
    // The remaining n - ns scans cannot bring the missing m - ms contacts.
    if (ns <= n_ && n_ - ns < m_ - ms) {
        track.gates = false;
        return;
    }
    inner_->update(contact, track);
    if (ns >= n_ && ms < m_) throw util::Exception("MofNGater");
}

}  // namespace ostrel
