#pragma once
#include <cstdint>
#include <vector>

#include "model/state.h"

namespace ostrel {

// The track's Gaussian belief about one feature of an emitter's waveform
// (a carrier frequency, a pulse width, ...), identified as in the intercepts.
struct WaveformFeature {
    std::int32_t id = 0;
    double mean = 0;
    double variance = 0;
};

// A waveform belief: its features in increasing id order, each id once.
using WaveformBelief = std::vector<WaveformFeature>;

// The waveform of a fixed-waveform emitter. Key "esm_waveform_state"; one
// "feature" child per feature holding "id", "mean", "variance". Built by the
// ESM waveform filters only (not in the state factory); the Querier
// constructor reads back the written form.
class EsmWaveformState : public state::StateTemplate<EsmWaveformState> {
public:
    static const char* key() { return "esm_waveform_state"; }

    explicit EsmWaveformState(WaveformBelief features) : features(std::move(features)) {}
    explicit EsmWaveformState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    const WaveformBelief features;
};

// The waveforms of an emitter that changes waveform with its emitter mode:
// one belief per mode index seen so far, in increasing mode order. Key
// "esm_waveform_mode_list_state"; one "mode" child per entry holding
// "index" and its "feature" children. Not in the state factory either.
class EsmWaveformModeListState : public state::StateTemplate<EsmWaveformModeListState> {
public:
    struct Mode {
        std::int32_t index = 0;
        WaveformBelief features;
    };

    static const char* key() { return "esm_waveform_mode_list_state"; }

    explicit EsmWaveformModeListState(std::vector<Mode> modes) : modes(std::move(modes)) {}
    explicit EsmWaveformModeListState(const xml::Querier& querier);
    void write(xml::OutStream& out) const override;

    // The belief of a mode; null when the mode has not been seen.
    const WaveformBelief* find(std::int32_t index) const;

    const std::vector<Mode> modes;
};

}  // namespace ostrel
