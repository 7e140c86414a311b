#pragma once
#include <optional>

#include "imaging/segment_image.h"
#include "imaging/segment_runs.h"
#include "config/parameterless.h"
#include "config/schema.h"
#include "model/state.h"
#include "util/counted_ptr.h"

namespace ipc {

// The segmentation a contact frame was extracted from, in the frame's own
// states. Key "segment_image_state"; its XML element is empty (an element read
// back holds no image).
//
// The state keeps its own copy as runs of labels (see SegmentRuns), or shares
// the image when that is smaller, so a frame on its way to the writers no
// longer holds a full label image and the segmentation stage can reuse its
// own.
class SegmentImageState : public state::StateTemplate<SegmentImageState> {
public:
    static const char* key() { return "segment_image_state"; }

    // Null: no segmentation.
    explicit SegmentImageState(const util::CountedPtr<SegmentImage>& segmentation);
    static const config::Schema<config::NoParameters>& schema() {
        return config::parameterless(key(), "the segmentation a contact frame was extracted from (read back empty)");
    }
    explicit SegmentImageState(const xml::Querier& querier) { schema().bind(querier); }
    void write(xml::OutStream& out) const override { out.tag(key()).end_tag(); }

    bool has_segmentation() const { return runs_ || image_; }
    // The size of the segmentation; 0 x 0 without one.
    int width() const;
    int height() const;
    // The segmentation in `out` (resized); false, leaving `out` alone, when
    // the state holds none.
    bool paint(SegmentImage& out) const;
    // The segmentation as an image of its own; null when there is none.
    util::CountedPtr<SegmentImage> segmentation() const;
    // The runs the state keeps; null when it shares an image instead (or
    // holds nothing).
    const SegmentRuns* runs() const { return runs_ ? &*runs_ : nullptr; }

private:
    std::optional<SegmentRuns> runs_;
    util::CountedPtr<const SegmentImage> image_;  // when runs would take more room
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
