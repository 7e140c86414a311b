#include "celltracking_test_support.h"

#include <tiffio.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "imaging/segment_states.h"
#include "model/contact_state.h"
#include "model/states/confirmed_state.h"
#include "model/states/m_of_n_state.h"
#include "model/states/position_estimate_state.h"
#include "model/states/time_previous_time_state.h"
#include "model/states/time_state.h"
#include "model/track_label_state.h"

namespace cell_test {

namespace {

template <int N>
state::StatePtr position_estimate(const Track& track) {
    nmrc::Normal<N> estimate;
    const double coordinates[3] = {track.x, track.y, track.z};
    for (int k = 0; k < N; ++k) estimate.mean[k] = coordinates[k];
    return std::make_shared<const state::PositionEstimateState<N>>(estimate, track.time);
}

util::CountedPtr<frame::CompositeStateFrame> frame_with_own_state(double time, const std::vector<Track>& tracks,
                                                                  state::StatePtr segmentation_state,
                                                                  int dimension) {
    auto result = make_plain_frame(time, {});
    for (const Track& track : tracks) result->composite_states.push_back(make_track(track, dimension));
    auto own = std::make_shared<state::CompositeState>();
    own->insert(std::make_shared<const state::TimeState>(time));
    own->insert(std::move(segmentation_state));
    result->meta_data->insert(std::make_shared<const state::ContactState>(own));
    return result;
}

}  // namespace

state::CompositeStatePtr make_track(const Track& track, int dimension) {
    auto contact = std::make_shared<state::CompositeState>();
    contact->insert(std::make_shared<const state::TimeState>(track.time));
    if (track.segment) contact->insert(std::make_shared<const ipc::SegmentIdState>(*track.segment));

    auto states = std::make_shared<state::CompositeState>();
    states->insert(std::make_shared<const state::TrackLabelState>(track.label));
    states->insert(std::make_shared<const ostrel::MofNState>(track.n, track.n));
    states->insert(std::make_shared<const ostrel::TimePreviousTimeState>(track.time, track.time - 1));
    states->insert(dimension == 3 ? position_estimate<3>(track) : position_estimate<2>(track));
    if (track.confirmed) states->insert(std::make_shared<const ostrel::ConfirmedState>());
    states->insert(std::make_shared<const state::ContactState>(contact));
    return states;
}

util::CountedPtr<frame::CompositeStateFrame> make_frame(double time, const std::vector<Track>& tracks,
                                                        util::CountedPtr<ipc::SegmentImage> segmentation) {
    return frame_with_own_state(time, tracks, std::make_shared<const ipc::SegmentImageState>(segmentation), 2);
}

util::CountedPtr<frame::CompositeStateFrame> make_frame_3d(double time, const std::vector<Track>& tracks,
                                                           util::CountedPtr<ipc::SegmentImage3d> segmentation) {
    return frame_with_own_state(time, tracks, std::make_shared<const ipc::SegmentImage3dState>(segmentation), 3);
}

util::CountedPtr<frame::CompositeStateFrame> make_plain_frame(double time, const std::vector<Track>& tracks) {
    auto result = std::make_shared<frame::CompositeStateFrame>(time);
    for (const Track& track : tracks) result->composite_states.push_back(make_track(track));
    return result;
}

util::CountedPtr<ipc::SegmentImage> segmentation(const std::vector<std::vector<int>>& rows) {
    const int height = static_cast<int>(rows.size());
    const int width = height ? static_cast<int>(rows[0].size()) : 0;
    auto image = std::make_shared<ipc::SegmentImage>(width, height);
    int largest = -1;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            (*image)(x, y) = rows[y][x];
            largest = std::max(largest, rows[y][x]);
        }
    image->number_of_segments = largest + 1;
    return image;
}

std::vector<state::Label> labels_of(const cmpnt::FramePtr& frame) {
    std::vector<state::Label> labels;
    for (const auto& track : frame->cast<frame::CompositeStateFrame>().composite_states)
        labels.push_back(track->get<state::TrackLabelState>().label);
    return labels;
}

std::vector<std::vector<std::vector<unsigned short>>> read_pages(const std::string& name) {
    std::vector<std::vector<std::vector<unsigned short>>> pages;
    TIFF* tif = TIFFOpen(name.c_str(), "r");
    if (!tif) {
        ADD_FAILURE() << "cannot open " << name;
        return pages;
    }
    do {
        std::uint32_t width = 0, height = 0;
        std::uint16_t bits = 0;
        TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
        TIFFGetField(tif, TIFFTAG_BITSPERSAMPLE, &bits);
        EXPECT_EQ(bits, 16) << name;
        std::vector<unsigned short> line(static_cast<std::size_t>(TIFFScanlineSize(tif)) / 2 + 1);
        std::vector<std::vector<unsigned short>> page;
        for (std::uint32_t y = 0; y < height; ++y) {
            EXPECT_EQ(TIFFReadScanline(tif, line.data(), y, 0), 1) << name;
            page.emplace_back(line.begin(), line.begin() + width);
        }
        pages.push_back(page);
    } while (TIFFReadDirectory(tif) == 1);
    TIFFClose(tif);
    return pages;
}

std::string read_text(const std::string& name) {
    std::ifstream in(name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace cell_test
