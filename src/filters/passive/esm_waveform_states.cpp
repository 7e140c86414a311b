#include "filters/passive/esm_waveform_states.h"

namespace ostrel {

namespace {

WaveformBelief read_features(const xml::Querier& owner) {
    WaveformBelief features;
    for (const xml::Querier& child : owner.tags()) {
        if (child.name() != "feature") continue;
        features.push_back({child.read<std::int32_t>("id"), child.read<double>("mean"),
                            child.read<double>("variance")});
    }
    return features;
}

void write_features(const WaveformBelief& features, xml::OutStream& out) {
    for (const WaveformFeature& f : features) {
        out.tag("feature").element("id", f.id).element("mean", f.mean);
        out.element("variance", f.variance).end_tag();
    }
}

}  // namespace

EsmWaveformState::EsmWaveformState(const xml::Querier& querier)
    : features(read_features(querier)) {}

void EsmWaveformState::write(xml::OutStream& out) const {
    out.tag(key());
    write_features(features, out);
    out.end_tag();
}

namespace {
std::vector<EsmWaveformModeListState::Mode> read_modes(const xml::Querier& querier) {
    std::vector<EsmWaveformModeListState::Mode> modes;
    for (const xml::Querier& child : querier.tags())
        if (child.name() == "mode")
            modes.push_back({child.read<std::int32_t>("index"), read_features(child)});
    return modes;
}
}  // namespace

EsmWaveformModeListState::EsmWaveformModeListState(const xml::Querier& querier)
    : modes(read_modes(querier)) {}

void EsmWaveformModeListState::write(xml::OutStream& out) const {
    out.tag(key());
    for (const Mode& mode : modes) {
        out.tag("mode").element("index", mode.index);
        write_features(mode.features, out);
        out.end_tag();
    }
    out.end_tag();
}

const WaveformBelief* EsmWaveformModeListState::find(std::int32_t index) const {
    for (const Mode& mode : modes)
        if (mode.index == index) return &mode.features;
    return nullptr;
}

}  // namespace ostrel
