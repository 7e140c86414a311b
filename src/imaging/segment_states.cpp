#include "imaging/segment_states.h"

namespace ipc {

SegmentImageState::SegmentImageState(const util::CountedPtr<SegmentImage>& segmentation) {
    if (!segmentation) return;
    SegmentRuns runs;
    if (SegmentRuns::encode(*segmentation, runs))
        runs_ = std::move(runs);
    else
        image_ = segmentation;
}

int SegmentImageState::width() const { return runs_ ? runs_->width() : image_ ? image_->width() : 0; }

int SegmentImageState::height() const { return runs_ ? runs_->height() : image_ ? image_->height() : 0; }

bool SegmentImageState::paint(SegmentImage& out) const {
    if (runs_) {
        runs_->paint(out);
    } else if (image_) {
        out = *image_;
    } else {
        return false;
    }
    return true;
}

util::CountedPtr<SegmentImage> SegmentImageState::segmentation() const {
    auto image = std::make_shared<SegmentImage>();
    return paint(*image) ? image : nullptr;
}

const config::Schema<SegmentIdState::Form>& SegmentIdState::schema() {
    static const auto schema = config::Schema<Form>(key(), "the label of the segment a contact came from")
                                   .text(&Form::id, "the segment's label");
    return schema;
}

}  // namespace ipc
