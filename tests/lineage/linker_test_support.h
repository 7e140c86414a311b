#pragma once
#include <optional>
#include <string>
#include <vector>

#include "model/composite_state_frame.h"
#include "model/label.h"
#include "pipeline/component.h"

// Tracker output frames made by hand and a lineage linker driven through
// them, for the tests of the lineage stage.
namespace linker_test {

// One track in one frame: its label (source 0), centroid, whether a
// segment was assigned (else it coasts) and, for rods, the segment's long
// axis and area (SegmentFeaturesState on its contact).
struct Cell {
    Cell(int label, double x, double y, int n = 5) : label(label), x(x), y(y), n(n) {}

    int label = 0;
    double x = 0, y = 0, z = 0;
    int n = 5;                        // MofNState n (1 in a track's first scan)
    bool seen = true;
    std::optional<double> axis;       // orientation of the long axis, radians
    double length = 20, width = 8;    // major and minor axes when `axis` is set
};

state::Label label(int id);

// A tracker output frame at time t: one track per cell, in order, with
// 2-D or 3-D positions.
cmpnt::FramePtr tracker_frame(double t, const std::vector<Cell>& cells, int dimension = 2);

// A linker configuration: nuclei-like defaults, with `division_extra` added
// to the division model and `extra` to the linker.
std::string linker_xml(const std::string& extra = "", const std::string& division_extra = "");

// The output of a linker fed the frames and then the end of the stream.
struct Output {
    std::vector<util::CountedPtr<frame::CompositeStateFrame>> frames;
    int nulls = 0;
    int linker_source = 0;  // the label source of the linker's fresh labels

    // The label and the parent (TrackParentState) of the k-th track of frame f.
    state::Label label(int f, int k) const;
    std::optional<state::Label> parent(int f, int k) const;
};
// Runs the 2-D key, or the 3-D key "lineage_linker_3d".
Output run_linker(const std::string& xml, const std::vector<cmpnt::FramePtr>& frames, int dimension = 2);

}  // namespace linker_test
