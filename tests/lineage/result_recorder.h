#pragma once
#include <cstdint>
#include <map>
#include <string>

#include "model/label.h"
#include "pipeline/component.h"

// The cell-tracking result of the lineage linker's output frames, written
// the way the cell-tracking writers are to record the tracker's parents:
// a track's first state names its parent through a TrackParentState (when
// the parent is present in that frame too, her label ends the frame before
// and she continues under a new one with the same parent). Masks carry the
// result labels on the segments the tracks took. Lets the tests score the
// linker end to end whatever the writers do with parents.
//
// Key "lineage_result_recorder" (registered by the tests): element
// "directory", which must exist; res_track.txt is written at the end of the
// stream.
class ResultRecorder : public cmpnt::MonoChildComponent {
public:
    static const char* key() { return "lineage_result_recorder"; }
    explicit ResultRecorder(const xml::Querier& querier);
    void push_frame(cmpnt::FramePtr frame) override;

    // Registers the key in the component factory (once).
    static void register_key();

private:
    struct Row {
        std::int32_t begin = 0, end = 0, parent = 0;
    };
    std::int32_t start(const state::Label& track, std::int32_t frame, std::int32_t parent);

    std::string directory_;
    std::int32_t last_ = 0;
    std::map<state::Label, std::int32_t> label_of_;
    std::map<std::int32_t, Row> rows_;
};
