#include "filters/str_m_of_n.h"

#include "filters/m_of_n_parameters.h"
#include "model/states/confirmed_state.h"
#include "model/states/minimum_speed_state.h"
#include "model/states/str_m_of_n_state.h"

namespace str {

namespace {
std::int32_t marked(const state::CompositeState& contact) {
    return contact.has<snsr::MinimumSpeedState>() ? 1 : 0;
}
}  // namespace

void StrMofNInitializer::update(const state::CompositeState& contact,
                                ostrel::TrackState& track) const {
    track.states.insert(std::make_shared<const StrMofNState>(1, 1, marked(contact)));
}

void StrMofNContactUpdater::update(const state::CompositeState& contact,
                                   ostrel::TrackState& track) const {
    const auto& c = track.states.get<StrMofNState>();
    track.states.insert(std::make_shared<const StrMofNState>(c.m + 1, c.n + 1, c.o + marked(contact)));
}

void StrMofNCoastUpdater::update(const state::CompositeState&, ostrel::TrackState& track) const {
    const auto& c = track.states.get<StrMofNState>();
    track.states.insert(std::make_shared<const StrMofNState>(c.m, c.n + 1, c.o));
}

StrMofNConfirmer::StrMofNConfirmer(const xml::Querier& querier)
    : m_(ostrel::read_m(querier)),
      n_(ostrel::read_n(querier, m_)),
      o_(querier.read<std::int32_t>("o")),
      log_confirmation_reward_(ostrel::read_log_reward(querier, "confirmation_reward")),
      log_continuation_reward_(ostrel::read_log_reward(querier, "continuation_reward")) {}

void StrMofNConfirmer::update(const state::CompositeState&, ostrel::TrackState& track) const {
    const auto& c = track.states.get<StrMofNState>();
    if (track.states.has<ostrel::ConfirmedState>()) {
        track.log_likelihood += log_continuation_reward_;
        return;
    }
    if (!(c.n <= n_ && c.m >= m_ && c.o >= o_)) return;
    track.states.insert(std::make_shared<const ostrel::ConfirmedState>());
    track.log_likelihood += log_confirmation_reward_;
}

StrMofNGater::StrMofNGater(const xml::Querier& querier)
    : m_(ostrel::read_m(querier)),
      n_(ostrel::read_n(querier, m_)),
      o_(querier.read<std::int32_t>("o")),
      inner_(ostrel::make_filter_in(querier.tag("filter"))) {}

void StrMofNGater::update(const state::CompositeState& contact, ostrel::TrackState& track) const {
    const auto& c = track.states.get<StrMofNState>();
    const std::int32_t remaining = n_ - c.n;
    if (c.n > n_ || (remaining >= m_ - c.m && remaining >= o_ - c.o)) {
        inner_->update(contact, track);
    } else {
        track.gates = false;
    }
}

}  // namespace str
