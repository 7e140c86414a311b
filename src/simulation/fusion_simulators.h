#pragma once
#include <cstdint>

#include "config/schema.h"
#include "numerics/random.h"
#include "simulation/simulator.h"

namespace fusion {

// Inserts a GpsIdState with the next program-wide GPS id (1, 2, 3, ...,
// shared by every GPS id labeler). Key "gps_id_labeler"; no configuration.
class GpsIdLabeler : public smltr::Simulator {
public:
    struct Parameters {};
    static const config::Schema<Parameters>& schema();

    GpsIdLabeler() = default;
    explicit GpsIdLabeler(const xml::Querier& querier) { schema().bind(querier); }
    void simulate(state::CompositeState& target) override;
};

// Inserts a TrackLabelState (source, the target's GPS id); the source is
// taken once from the label-source counter. A target without a GpsIdState
// fails, naming the key. Key "gps_track_labeler"; no configuration.
class GpsTrackLabeler : public smltr::Simulator {
public:
    struct Parameters {};
    static const config::Schema<Parameters>& schema();

    GpsTrackLabeler();
    explicit GpsTrackLabeler(const xml::Querier& querier) : GpsTrackLabeler() { schema().bind(querier); }
    void simulate(state::CompositeState& target) override;

    std::int32_t source() const { return source_; }

private:
    std::int32_t source_;
};

// The target's emitter is described by a RadarEmissionEstimateState: the
// normal law of its carrier frequency. Each call draws one emission from it,
// frequency = mean + sqrt(variance) z, and inserts it as a
// RadarEmissionState at the target's time (its TimeState, else the law's own
// time). The draw uses the simulator's own generator, seeded once from the
// seed source. A target without the law fails, naming the key. Key
// "radar_emission_state_simulator"; no configuration.
class RadarEmissionStateSimulator : public smltr::Simulator {
public:
    struct Parameters {};
    static const config::Schema<Parameters>& schema();

    RadarEmissionStateSimulator() = default;
    explicit RadarEmissionStateSimulator(const xml::Querier& querier) { schema().bind(querier); }
    void simulate(state::CompositeState& target) override;

private:
    nmrc::NormalGenerator normal_;
};

}  // namespace fusion
