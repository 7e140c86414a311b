#include "lineage/linker_test_support.h"

#include <cmath>

#include "celltracking/track_access.h"
#include "imaging/segment_features_state.h"
#include "imaging/segment_states.h"
#include "lineage/lineage_linker.h"
#include "model/contact_state.h"
#include "model/states/m_of_n_state.h"
#include "model/states/position_estimate_state.h"
#include "model/states/time_state.h"
#include "model/states/track_parent_state.h"
#include "model/track_label_state.h"

namespace linker_test {

namespace {

// Keeps every frame it is given.
class Collector : public cmpnt::Component {
public:
    explicit Collector(Output& output) : output_(output) {}
    void insert_child(cmpnt::ComponentPtr) override {}
    void push_frame(cmpnt::FramePtr frame) override {
        if (!frame) {
            ++output_.nulls;
            return;
        }
        output_.frames.push_back(frame::cast<frame::CompositeStateFrame>(frame));
    }

private:
    Output& output_;
};

state::StatePtr position(const Cell& cell, double t, int dimension) {
    if (dimension == 3) {
        nmrc::Normal<3> estimate;
        estimate.mean[0] = cell.x, estimate.mean[1] = cell.y, estimate.mean[2] = cell.z;
        return std::make_shared<const state::PositionEstimateState<3>>(estimate, t);
    }
    nmrc::Normal<2> estimate;
    estimate.mean[0] = cell.x, estimate.mean[1] = cell.y;
    return std::make_shared<const state::PositionEstimateState<2>>(estimate, t);
}

template <class Linker>
Output run(const std::string& xml, const std::vector<cmpnt::FramePtr>& frames) {
    Output output;
    Linker linker(xml::Querier::parse(xml));
    output.linker_source = linker.label_source();
    linker.insert_child(std::make_shared<Collector>(output));
    for (const auto& frame : frames) linker.push_frame(frame);
    linker.push_frame(nullptr);
    return output;
}

}  // namespace

state::Label label(int id) { return state::Label{0, id}; }

cmpnt::FramePtr tracker_frame(double t, const std::vector<Cell>& cells, int dimension) {
    auto frame = std::make_shared<frame::CompositeStateFrame>(t);
    int segment = 0;
    for (const Cell& cell : cells) {
        auto contact = std::make_shared<state::CompositeState>();
        contact->insert(std::make_shared<const state::TimeState>(t));
        if (cell.seen) {
            contact->insert(std::make_shared<const ipc::SegmentIdState>(++segment));
            contact->insert(position(cell, t, dimension));
            if (cell.axis) {
                ipc::SegmentFeaturesState::Features f;
                f.area = cell.length * cell.width;
                f.orientation = *cell.axis;
                f.major_axis = cell.length;
                f.minor_axis = cell.width;
                f.elongation = cell.length / cell.width;
                contact->insert(std::make_shared<const ipc::SegmentFeaturesState>(f));
            }
        }
        auto track = std::make_shared<state::CompositeState>();
        track->insert(std::make_shared<const state::TrackLabelState>(label(cell.label)));
        track->insert(std::make_shared<const ostrel::MofNState>(cell.n, cell.n));
        track->insert(position(cell, t, dimension));
        track->insert(std::make_shared<const state::ContactState>(contact));
        frame->composite_states.push_back(track);
    }
    return frame;
}

std::string linker_xml(const std::string& extra, const std::string& division_extra) {
    return "\n<lineage_linker>"
           "<window>2</window><maximum_gap>2</maximum_gap><search_radius>30</search_radius>"
           "<motion_sigma>2</motion_sigma><detection_probability>0.95</detection_probability>"
           "<end_probability>0.01</end_probability><appearance_rate>0.1</appearance_rate>"
           "<field_area>65536</field_area>" +
           extra +
           "<division_model><division_probability>0.05</division_probability><minimum_age>3</minimum_age>"
           "<midpoint_sigma>2</midpoint_sigma>" +
           division_extra + "</division_model></lineage_linker>";
}

state::Label Output::label(int f, int k) const { return isbi::track_label(*frames.at(f)->composite_states.at(k)); }

std::optional<state::Label> Output::parent(int f, int k) const {
    const auto mark = frames.at(f)->composite_states.at(k)->get_ptr<ostrel::TrackParentState>();
    if (!mark) return std::nullopt;
    return mark->parent;
}

Output run_linker(const std::string& xml, const std::vector<cmpnt::FramePtr>& frames, int dimension) {
    if (dimension == 3) {
        std::string spatial = xml;
        for (const std::string tag : {"<lineage_linker>", "</lineage_linker>"})
            spatial.replace(spatial.find(tag), tag.size(), tag.substr(0, tag.size() - 1) + "_3d>");
        return run<lineage::LineageLinker3d>(spatial, frames);
    }
    return run<lineage::LineageLinker>(xml, frames);
}

}  // namespace linker_test
