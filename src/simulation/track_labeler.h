#pragma once
#include <cstdint>

#include "config/schema.h"
#include "simulation/simulator.h"

namespace smltr {

// Gives each target a fresh TrackLabelState (source, number). The source is
// taken once from the program-wide label-source counter, so two labelers
// never hand out equal labels; numbers run from "first_id" upwards. Applied
// once per target, when it is created. Key "track_labeler"; child
// "first_id".
class TrackLabeler : public Simulator {
public:
    struct Parameters {
        std::int32_t first_id = 1;
    };
    static const config::Schema<Parameters>& schema();

    explicit TrackLabeler(const Parameters& parameters);
    explicit TrackLabeler(const xml::Querier& querier) : TrackLabeler(schema().bind(querier)) {}
    void simulate(state::CompositeState& target) override;

    std::int32_t source() const { return source_; }

private:
    std::int32_t source_;
    std::int64_t next_id_;  // wider, so that running out is detectable
};

}  // namespace smltr
