#pragma once
#include <cstdint>
#include <map>

#include "config/schema.h"
#include "model/label.h"
#include "pipeline/component.h"

namespace ostrel {

// Renumbers tracks under a label source of its own: each track label gets
// the next number, from "first_id" on, in order of first appearance, and
// keeps it for the whole run. Key "track_relabeler"; element "first_id"
// (int).
class TrackRelabeler : public cmpnt::MonoChildComponent {
public:
    static const char* key() { return "track_relabeler"; }

    struct Parameters {
        std::int32_t first_id = 0;
    };
    static const config::Schema<Parameters>& schema();

    // Takes a label source of its own.
    explicit TrackRelabeler(const Parameters& parameters);
    explicit TrackRelabeler(const xml::Querier& querier) : TrackRelabeler(schema().bind(querier)) {}

    // Non-null frames go on as a copy whose tracks carry the new labels.
    void push_frame(cmpnt::FramePtr frame) override;

    std::int32_t label_source() const { return source_; }

private:
    std::int32_t number_of(const state::Label& old_label);

    std::int32_t source_ = 0;
    std::int64_t next_ = 0;  // wider than a label so that running out can be seen
    std::map<state::Label, std::int32_t> numbers_;
};

}  // namespace ostrel
