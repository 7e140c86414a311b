#include "filters/passive/esm_waveform_filters.h"

#include <algorithm>

#include "filters/passive/esm_waveform_states.h"
#include "filters/passive/waveform_fit.h"
#include "model/contacts/esm_contact.h"

namespace ostrel {

namespace {

// Folds every waveform of the intercept in order.
WaveformFit fit_all(WaveformBelief belief, const std::vector<EsmWaveformContact>& waveforms,
                    const std::string& owner) {
    WaveformFit all;
    for (const EsmWaveformContact& waveform : waveforms) {
        WaveformFit one = fit_waveform(std::move(belief), waveform, owner);
        all.mahalanobis_squared += one.mahalanobis_squared;
        all.log_density += one.log_density;
        belief = std::move(one.posterior);
    }
    all.posterior = std::move(belief);
    return all;
}

// The most likely mode of the intercept (the first on ties).
std::int32_t likeliest_mode(const nmrc::DynamicVector& modes) {
    int best = 0;
    for (int k = 1; k < modes.size(); ++k)
        if (modes[k] > modes[best]) best = k;
    return best;
}

}  // namespace

const config::Schema<config::NoParameters>& EsmEstimateStateInitializer::schema() {
    return config::parameterless("esm_estimate_state_initializer", "starts a track's waveform belief");
}

void EsmEstimateStateInitializer::update(const state::CompositeState& contact,
                                         TrackState& track) const {
    const auto& esm = contact.get<EsmContact>();
    WaveformFit fit = fit_all({}, esm.waveform_contacts, "EsmEstimateStateInitializer");
    track.log_likelihood += fit.log_density;
    track.states.insert(std::make_shared<const EsmWaveformState>(std::move(fit.posterior)));
}

const config::Schema<GateParameters>& EsmWaveformContactUpdater::schema() {
    static const auto schema =
        gate_schema("esm_waveform_contact_updater", "fits the intercept's waveform features to the track's");
    return schema;
}

void EsmWaveformContactUpdater::update(const state::CompositeState& contact,
                                       TrackState& track) const {
    const auto& esm = contact.get<EsmContact>();
    for (const EsmWaveformContact& waveform : esm.waveform_contacts)
        for (const EsmFeatureContact& feature : waveform)
            if (feature.transition_rate != 0.0)
                throw util::Exception("transition rate is non-zero in EsmWaveformContactUpdater");
    const auto held = track.states.get_ptr<EsmWaveformState>();
    WaveformFit fit = fit_all(held ? held->features : WaveformBelief{}, esm.waveform_contacts,
                              "EsmWaveformContactUpdater");
    if (fit.mahalanobis_squared >= gate_) {
        track.gates = false;
        return;
    }
    track.log_likelihood += fit.log_density;
    track.states.insert(std::make_shared<const EsmWaveformState>(std::move(fit.posterior)));
}

const config::Schema<GateParameters>& EsmWaveformModeContactUpdater::schema() {
    static const auto schema = gate_schema("esm_waveform_mode_contact_updater",
                                           "fits the intercept's waveform to the track's waveform of its likeliest mode");
    return schema;
}

void EsmWaveformModeContactUpdater::update(const state::CompositeState& contact,
                                           TrackState& track) const {
    const auto& esm = contact.get<EsmContact>();
    if (esm.waveform_contacts.size() != 1)
        throw util::Exception("count is not one in EsmWaveformModeContactUpdater");
    const std::int32_t mode = likeliest_mode(esm.mode_distribution);
    const auto held = track.states.get_ptr<EsmWaveformModeListState>();
    const WaveformBelief* known = held ? held->find(mode) : nullptr;
    WaveformFit fit = fit_waveform(known ? *known : WaveformBelief{}, esm.waveform_contacts.front(),
                                   "EsmWaveformModeContactUpdater");
    if (fit.mahalanobis_squared >= gate_) {
        track.gates = false;
        return;
    }
    track.log_likelihood += fit.log_density;
    // The list with this mode's belief renewed (or added in mode order).
    std::vector<EsmWaveformModeListState::Mode> modes;
    if (held) modes = held->modes;
    auto at = std::lower_bound(modes.begin(), modes.end(), mode,
                               [](const EsmWaveformModeListState::Mode& m, std::int32_t index) {
                                   return m.index < index;
                               });
    if (at != modes.end() && at->index == mode)
        at->features = std::move(fit.posterior);
    else
        modes.insert(at, {mode, std::move(fit.posterior)});
    track.states.insert(std::make_shared<const EsmWaveformModeListState>(std::move(modes)));
}

}  // namespace ostrel
