#include "filters/m_of_n.h"

#include "filters/m_of_n_parameters.h"
#include "model/states/confirmed_state.h"
#include "model/states/m_of_n_state.h"

namespace ostrel {

void MofNInitializer::update(const state::CompositeState&, TrackState& track) const {
    track.states.insert(std::make_shared<const MofNState>(1, 1));
}

void MofNContactUpdater::update(const state::CompositeState&, TrackState& track) const {
    const auto& counts = track.states.get<MofNState>();
    track.states.insert(std::make_shared<const MofNState>(counts.m + 1, counts.n + 1));
}

void MofNCoastUpdater::update(const state::CompositeState&, TrackState& track) const {
    const auto& counts = track.states.get<MofNState>();
    track.states.insert(std::make_shared<const MofNState>(counts.m, counts.n + 1));
}

MofNConfirmer::MofNConfirmer(const xml::Querier& querier)
    : m_(read_m(querier)),
      n_(read_n(querier, m_)),
      log_confirmation_reward_(read_log_reward(querier, "confirmation_reward")),
      log_continuation_reward_(read_log_reward(querier, "continuation_reward")) {}

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

MofNGater::MofNGater(const xml::Querier& querier)
    : inner_(make_filter_in(querier.tag("filter"))), m_(read_m(querier)), n_(read_n(querier, m_)) {}

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
