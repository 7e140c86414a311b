#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "celltracking/label_mask.h"
#include "model/state.h"
#include "xml/out_stream.h"

namespace isbi {

// What the result writer made of a frame, put into the own states of the
// frame it passes on, for the picture writers behind it: the label mask it
// wrote (2-D, or a 3-D stack) and every label in it with its parent.
// Key "result_mask_state"; its XML element is empty.
class ResultMaskState : public state::StateTemplate<ResultMaskState> {
public:
    static const char* key() { return "result_mask_state"; }

    struct LabelRecord {
        std::int32_t label = 0;
        std::int32_t parent = 0;
    };

    ResultMaskState(std::int32_t frame_number, std::shared_ptr<const Mask> mask,
                    std::shared_ptr<const Mask3d> stack, std::vector<LabelRecord> labels)
        : frame_number(frame_number), mask(std::move(mask)), stack(std::move(stack)), labels(std::move(labels)) {}
    void write(xml::OutStream& out) const override { out.tag(key()).end_tag(); }

    const std::int32_t frame_number;
    const std::shared_ptr<const Mask> mask;     // 2-D results
    const std::shared_ptr<const Mask3d> stack;  // 3-D results
    const std::vector<LabelRecord> labels;      // increasing label order
};

}  // namespace isbi
