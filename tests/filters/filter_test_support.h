#pragma once
#include <memory>
#include <string>

#include "filters/filter_registry.h"
#include "model/composite_state.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/time_state.h"
#include "model/track_label_state.h"
#include "tracker/filter.h"
#include "tracker/track_state.h"
#include "xml/querier.h"

namespace filter_test {

inline xml::Querier parse(const std::string& element) { return xml::Querier::parse("\n" + element); }

// The program's filter factory, filled once with this library's keys.
inline ostrel::FilterFactory& factory() {
    ostrel::FilterFactory& f = ostrel::filter_factory();
    if (!f.has("no_op")) ostrel::register_filters(f);
    return f;
}

inline ostrel::FilterPtr build(const std::string& element) { return factory().create(parse(element)); }

// A contact composite: time, label and whatever states are added.
inline state::CompositeState contact_at(double time, state::Label label = {0, 1}) {
    state::CompositeState contact;
    contact.insert(std::make_shared<const state::TimeState>(time));
    contact.insert(std::make_shared<const state::TrackLabelState>(label));
    return contact;
}

template <int N>
nmrc::Normal<N> normal(const nmrc::Vector<N>& mean, const nmrc::SymmetricMatrix<N>& covariance) {
    return nmrc::Normal<N>(mean, covariance);
}

// A position contact with measurement z, covariance R, at `time`.
template <int N>
state::CompositeState position_contact(double time, const nmrc::Vector<N>& z,
                                       const nmrc::SymmetricMatrix<N>& r, state::Label label = {0, 1}) {
    state::CompositeState contact = contact_at(time, label);
    contact.insert(std::make_shared<const state::PositionEstimateState<N>>(normal(z, r), time));
    return contact;
}

template <int N>
void put_estimate(ostrel::TrackState& track, const nmrc::Vector<2 * N>& mean,
                  const nmrc::SymmetricMatrix<2 * N>& covariance, double time) {
    track.states.insert(
        std::make_shared<const state::PositionVelocityEstimateState<N>>(normal(mean, covariance), time));
}

template <int N>
const nmrc::Normal<2 * N>& estimate_of(const ostrel::TrackState& track) {
    return track.states.get<state::PositionVelocityEstimateState<N>>().estimate;
}

}  // namespace filter_test
