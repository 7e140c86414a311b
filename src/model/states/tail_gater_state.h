#pragma once
#include <cstdint>
#include <map>

#include "model/state.h"

namespace ostrel {

// Per contact source, the last contact a track took from it. Key
// "tail_gater_state"; written (one "record" per source, ascending src) but
// not read from configuration.
class TailGaterState : public state::StateTemplate<TailGaterState> {
public:
    struct Record {
        std::int32_t id = 0;
        double time = 0;
    };
    using Records = std::map<std::int32_t, Record>;

    static const char* key() { return "tail_gater_state"; }

    explicit TailGaterState(Records records) : records(std::move(records)) {}
    void write(xml::OutStream& out) const override;

    // A copy of this state's records with src -> (id, time) set.
    Records with(std::int32_t src, std::int32_t id, double time) const;

    const Records records;
};

}  // namespace ostrel
