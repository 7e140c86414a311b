#pragma once
#include "imaging/segment_image.h"
#include "config/parameterless.h"
#include "config/schema.h"
#include "model/state.h"
#include "util/counted_ptr.h"

namespace ipc {

// The segmentation a contact frame was extracted from, in the frame's own
// states. Key "segment_image_state"; its XML element is empty (an element read
// back holds no image).
class SegmentImageState : public state::StateTemplate<SegmentImageState> {
public:
    static const char* key() { return "segment_image_state"; }

    explicit SegmentImageState(util::CountedPtr<SegmentImage> segmentation)
        : segmentation(std::move(segmentation)) {}
    static const config::Schema<config::NoParameters>& schema() {
        return config::parameterless(key(), "the segmentation a contact frame was extracted from (read back empty)");
    }
    explicit SegmentImageState(const xml::Querier& querier) { schema().bind(querier); }
    void write(xml::OutStream& out) const override { out.tag(key()).end_tag(); }

    const util::CountedPtr<SegmentImage> segmentation;
};

// The same for a 3-D segmentation. Key "segment_image_3d_state".
class SegmentImage3dState : public state::StateTemplate<SegmentImage3dState> {
public:
    static const char* key() { return "segment_image_3d_state"; }

    explicit SegmentImage3dState(util::CountedPtr<SegmentImage3d> segmentation)
        : segmentation(std::move(segmentation)) {}
    static const config::Schema<config::NoParameters>& schema() {
        return config::parameterless(key(), "the 3-D segmentation a contact frame was extracted from (read back empty)");
    }
    explicit SegmentImage3dState(const xml::Querier& querier) { schema().bind(querier); }
    void write(xml::OutStream& out) const override { out.tag(key()).end_tag(); }

    const util::CountedPtr<SegmentImage3d> segmentation;
};

// The label of the segment a contact came from. Key "segment_id_state"; the
// label is the element's text.
class SegmentIdState : public state::StateTemplate<SegmentIdState> {
public:
    static const char* key() { return "segment_id_state"; }

    struct Form {
        int id = 0;
    };
    static const config::Schema<Form>& schema();

    explicit SegmentIdState(int id) : id(id) {}
    explicit SegmentIdState(const xml::Querier& querier) : id(schema().bind(querier).id) {}
    void write(xml::OutStream& out) const override { out.element(key(), id); }

    const int id;
};

}  // namespace ipc
