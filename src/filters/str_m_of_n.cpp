#include "filters/str_m_of_n.h"

#include "filters/filter_schema.h"
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

const config::Schema<config::NoParameters>& StrMofNInitializer::schema() {
    return config::parameterless("str_m_of_n_initializer", "starts a track's m-of-n-of-o counts");
}

const config::Schema<config::NoParameters>& StrMofNContactUpdater::schema() {
    return config::parameterless("str_m_of_n_contact_updater", "counts a contact, a scan and a marked contact");
}

const config::Schema<config::NoParameters>& StrMofNCoastUpdater::schema() {
    return config::parameterless("str_m_of_n_coast_updater", "counts a scan without a contact");
}

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

const config::Schema<StrMofNConfirmer::Parameters>& StrMofNConfirmer::schema() {
    using P = Parameters;
    static const auto schema = [] {
        config::Schema<P> s("str_m_of_n_confirmer",
                            "confirms a track with m contacts, o of them marked, within its first n scans");
        ostrel::declare_m_of_n(s)
            .required(&P::o, "o", "the marked contacts a track needs")
            .required(&P::confirmation_reward, "confirmation_reward", "the reward for confirming a track",
                      ostrel::positive_reward())
            .required(&P::continuation_reward, "continuation_reward", "the reward for each pass of a confirmed track",
                      ostrel::positive_reward());
        return s;
    }();
    return schema;
}

StrMofNConfirmer::StrMofNConfirmer(const Parameters& parameters)
    : m_(schema().validate(parameters).m),
      n_(parameters.n),
      o_(parameters.o),
      log_confirmation_reward_(std::log(parameters.confirmation_reward)),
      log_continuation_reward_(std::log(parameters.continuation_reward)) {}

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

const config::Schema<StrMofNGater::Parameters>& StrMofNGater::schema() {
    using P = Parameters;
    static const auto schema = [] {
        config::Schema<P> s("str_m_of_n_gater", "rejects a track that can no longer be confirmed");
        ostrel::declare_m_of_n(s)
            .required(&P::o, "o", "the marked contacts a track needs")
            .product(&P::filter, "filter", ostrel::filter_form(), "the filter run for a track that still can",
                     &ostrel::make_filter_in);
        return s;
    }();
    return schema;
}

StrMofNGater::StrMofNGater(const Parameters& parameters)
    : m_(schema().validate(parameters).m), n_(parameters.n), o_(parameters.o), inner_(parameters.filter) {}

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
