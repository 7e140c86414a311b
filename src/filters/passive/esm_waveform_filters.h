#pragma once
#include "config/parameterless.h"
#include "filters/filter_schema.h"
#include "tracker/filter.h"

namespace ostrel {

// The waveform side of ESM tracking: what the intercepted waveforms
// (EsmContact's waveform contacts) say about which track an intercept
// belongs to. Feature matching and scoring are those of fit_waveform.

// Key "esm_estimate_state_initializer" (no parameters): starts the track's
// waveform estimate, an EsmWaveformState, from the intercept's waveforms
// folded in order into an empty belief (a feature id seen twice is fused).
// Adds the waveforms' log-density (-ln support per new feature).
class EsmEstimateStateInitializer : public Filter {
public:
    static const config::Schema<config::NoParameters>& schema();

    EsmEstimateStateInitializer() = default;
    explicit EsmEstimateStateInitializer(const xml::Querier& querier) { schema().bind(querier); }
    void update(const state::CompositeState& contact, TrackState& track) const override;
};

// Key "esm_waveform_contact_updater": a fixed-waveform emitter. Every
// waveform of the intercept is a fresh measurement of the track's
// EsmWaveformState (empty when it holds none), folded in order. A feature
// with a non-zero transition rate changes between intercepts and cannot be
// tracked as fixed: it fails with "transition rate is non-zero in
// EsmWaveformContactUpdater". If the summed d^2 >= "gate" the hypothesis is
// rejected; otherwise the log-density is scored and the new belief inserted.
class EsmWaveformContactUpdater : public Filter {
public:
    using Parameters = GateParameters;
    static const config::Schema<Parameters>& schema();

    explicit EsmWaveformContactUpdater(const Parameters& parameters) : gate_(schema().validate(parameters).gate) {}
    explicit EsmWaveformContactUpdater(const xml::Querier& querier) : EsmWaveformContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
};

// Key "esm_waveform_mode_contact_updater": an emitter whose waveform depends
// on its mode. The track keeps one waveform belief per emitter mode
// (EsmWaveformModeListState). The intercept must carry exactly one waveform
// (else "count is not one in EsmWaveformModeContactUpdater"); it is taken as
// emitted in the mode that the intercept's mode_distribution makes most
// likely (the first on ties), and fitted to that mode's belief (empty for a
// mode not seen yet). d^2 >= "gate" rejects the hypothesis; otherwise the
// log-density is scored and the mode's belief renewed.
class EsmWaveformModeContactUpdater : public Filter {
public:
    using Parameters = GateParameters;
    static const config::Schema<Parameters>& schema();

    explicit EsmWaveformModeContactUpdater(const Parameters& parameters) : gate_(schema().validate(parameters).gate) {}
    explicit EsmWaveformModeContactUpdater(const xml::Querier& querier) : EsmWaveformModeContactUpdater(schema().bind(querier)) {}
    void update(const state::CompositeState& contact, TrackState& track) const override;

private:
    const double gate_;
};

}  // namespace ostrel
