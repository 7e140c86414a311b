#pragma once
#include <cstdint>

#include "config/schema.h"
#include "model/state.h"

namespace fusion {

// The GPS id a track has been associated with; a GPS report of another id
// does not update the track. Key "gps_id_state"; child "gps_id".
class GpsIdState : public state::StateTemplate<GpsIdState> {
public:
    static const char* key() { return "gps_id_state"; }

    explicit GpsIdState(std::int32_t gps_id) : gps_id(gps_id) {}
    // What the element holds.
    struct Form {
        std::int32_t gps_id = 0;
    };
    static const config::Schema<Form>& schema() {
        static const auto schema = config::Schema<Form>(key(), "the GPS id a track is associated with")
                                       .required(&Form::gps_id, "gps_id", "the GPS id");
        return schema;
    }

    explicit GpsIdState(const xml::Querier& querier) : gps_id(schema().bind(querier).gps_id) {}
    void write(xml::OutStream& out) const override {
        out.tag(key()).element("gps_id", gps_id).end_tag();
    }

    const std::int32_t gps_id;
};

}  // namespace fusion
