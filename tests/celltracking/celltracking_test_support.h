#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "imaging/segment_image.h"
#include "model/composite_state_frame.h"
#include "model/label.h"
#include "pipeline/component.h"
#include "xml/querier.h"

namespace cell_test {

// The element parsed from text; the Querier stands on it.
inline xml::Querier element(const std::string& text) { return xml::Querier::parse("\n" + text); }

// The last stage of a test pipeline: keeps every frame, the null frame too.
class FrameCollector : public cmpnt::Component {
public:
    void insert_child(cmpnt::ComponentPtr) override {}
    void push_frame(cmpnt::FramePtr frame) override { frames.push_back(std::move(frame)); }
    std::vector<cmpnt::FramePtr> frames;
};

// One track as the tracker's output converter emits it: label, m-of-n
// counters, times, position estimate, optional confirmation, and a contact
// state (with the segment id of its contact, none when coasting).
struct Track {
    Track() = default;
    Track(state::Label label, int n = 1, double x = 0, double y = 0) : label(label), n(n), x(x), y(y) {}

    state::Label label;
    int n = 1;                       // MofNState n: 1 in the track's first scan
    double x = 0, y = 0, z = 0;      // position mean
    std::optional<int> segment;      // none: coasting
    bool confirmed = false;
    double time = 0;                 // TimePreviousTimeState time
};

// A track whose contact of this frame is the given segment, and one coasting.
inline Track cell_track(state::Label label, int n, double x, double y, int segment) {
    Track t{label, n, x, y};
    t.segment = segment;
    return t;
}
inline Track coasting_track(state::Label label, int n, double x, double y) { return Track{label, n, x, y}; }

// The track's states; dimension 2 or 3 selects the position estimate kind.
state::CompositeStatePtr make_track(const Track& track, int dimension = 2);

// A tracker output frame whose own states hold a ContactState with the
// segmentation (2-D or 3-D) the contacts came from.
util::CountedPtr<frame::CompositeStateFrame> make_frame(double time, const std::vector<Track>& tracks,
                                                        util::CountedPtr<ipc::SegmentImage> segmentation);
util::CountedPtr<frame::CompositeStateFrame> make_frame_3d(double time, const std::vector<Track>& tracks,
                                                           util::CountedPtr<ipc::SegmentImage3d> segmentation);
// A frame without own states, for the stages that only look at tracks.
util::CountedPtr<frame::CompositeStateFrame> make_plain_frame(double time, const std::vector<Track>& tracks);

// A segmentation from rows of labels; number_of_segments = max label + 1.
util::CountedPtr<ipc::SegmentImage> segmentation(const std::vector<std::vector<int>>& rows);

// The labels of the tracks of a frame, in order.
std::vector<state::Label> labels_of(const cmpnt::FramePtr& frame);

// Every page of a 16-bit TIFF, each as rows of pixels.
std::vector<std::vector<std::vector<unsigned short>>> read_pages(const std::string& name);

std::string read_text(const std::string& name);

}  // namespace cell_test
