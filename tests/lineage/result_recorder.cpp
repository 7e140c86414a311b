#include "lineage/result_recorder.h"

#include <fstream>
#include <vector>

#include "celltracking/label_mask.h"
#include "celltracking/track_access.h"
#include "imaging/segment_states.h"
#include "model/contact_state.h"
#include "model/states/track_parent_state.h"

ResultRecorder::ResultRecorder(const xml::Querier& querier) : directory_(querier.read_raw("directory")) {}

void ResultRecorder::register_key() {
    static const bool done = [] {
        util::register_key(cmpnt::factory(), key(), &util::create<cmpnt::Component, ResultRecorder>);
        return true;
    }();
    (void)done;
}

std::int32_t ResultRecorder::start(const state::Label& track, std::int32_t frame, std::int32_t parent) {
    label_of_[track] = ++last_;
    rows_[last_] = Row{frame, frame, parent};
    return last_;
}

void ResultRecorder::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        std::ofstream out(directory_ + "/res_track.txt");
        for (const auto& [label, row] : rows_)
            out << label << ' ' << row.begin << ' ' << row.end << ' ' << row.parent << '\n';
        child().push_frame(nullptr);
        return;
    }
    const auto& input = isbi::composite_frame(frame);
    const auto f = static_cast<std::int32_t>(input.time);
    std::map<state::Label, bool> present;
    for (const auto& track : input.composite_states) present[isbi::track_label(*track)] = true;

    const auto& own = input.meta_data->get<state::ContactState>().contact;
    const auto& segmentation = *own->get<ipc::SegmentImageState>().segmentation;
    std::vector<std::int32_t> lookup(static_cast<std::size_t>(segmentation.number_of_segments), 0);
    std::map<state::Label, std::int32_t> split;  // mothers present in this frame: their label before it
    for (const auto& track : input.composite_states) {
        const state::Label label = isbi::track_label(*track);
        if (!label_of_.count(label)) {
            std::int32_t parent = 0;
            if (const auto mark = track->get_ptr<ostrel::TrackParentState>()) {
                auto known = label_of_.find(mark->parent);
                if (split.count(mark->parent)) {
                    parent = split[mark->parent];
                } else if (known != label_of_.end()) {
                    parent = known->second;
                    // A mother still present ends before her daughters begin.
                    if (present.count(mark->parent) && rows_[parent].begin < f) {
                        rows_[parent].end = f - 1;
                        split[mark->parent] = parent;
                        start(mark->parent, f, parent);
                    }
                }
            }
            start(label, f, parent);
        }
    }
    for (const auto& track : input.composite_states) {
        const std::int32_t result = label_of_.at(isbi::track_label(*track));
        rows_[result].end = f;
        if (const auto segment = isbi::track_contact(*track).get_ptr<ipc::SegmentIdState>())
            lookup.at(static_cast<std::size_t>(segment->id)) = result;
    }
    isbi::Mask mask(segmentation.width(), segmentation.height(), 0);
    for (int y = 0; y < segmentation.height(); ++y)
        for (int x = 0; x < segmentation.width(); ++x)
            mask(x, y) = static_cast<unsigned short>(lookup[static_cast<std::size_t>(segmentation(x, y))]);
    std::string digits = std::to_string(f);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    isbi::write_mask(directory_ + "/mask" + digits + ".tif", mask);
    child().push_frame(std::move(frame));
}
