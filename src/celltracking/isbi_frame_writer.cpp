#include "celltracking/isbi_frame_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <sstream>

#include "celltracking/label_mask.h"
#include "celltracking/result_mask_state.h"
#include "celltracking/track_access.h"
#include "imaging/segment_features_state.h"
#include "imaging/segment_states.h"
#include "model/contact_state.h"
#include "model/states/m_of_n_state.h"
#include "model/states/position_estimate_state.h"
#include "model/states/position_velocity_estimate_state.h"
#include "model/states/track_parent_state.h"
#include "pipeline/thread_budget.h"
#include "util/system.h"

namespace isbi {

namespace {

// Backslashes become slashes, and one trailing slash is dropped.
std::string normalised_directory(std::string directory) {
    std::replace(directory.begin(), directory.end(), '\\', '/');
    if (!directory.empty() && directory.back() == '/') directory.pop_back();
    return directory;
}

template <int N>
struct Space;
template <>
struct Space<2> {
    using SegmentationState = ipc::SegmentImageState;
    using Segmentation = ipc::SegmentImage;
    using Mask = isbi::Mask;
};
template <>
struct Space<3> {
    using SegmentationState = ipc::SegmentImage3dState;
    using Segmentation = ipc::SegmentImage3d;
    using Mask = isbi::Mask3d;
};

}  // namespace

config::Schema<IsbiFrameWriterBase::Parameters> IsbiFrameWriterBase::writer_schema(const char* key,
                                                                                  const char* meaning) {
    using P = Parameters;
    const config::Check<std::string> not_empty{"not empty", [](const std::string& d) { return !d.empty(); },
                                               "{key}: {element} is empty: {entry} = {value}"};
    const auto gate =
        config::non_negative<double>().says("{key}: {element} must be a number >= 0, {entry} = {value}");
    const std::string digits_range = "between 1 and " + std::to_string(max_mask_digits);
    const config::Check<int> digits{digits_range,
                                    [](const int& d) { return d >= 1 && d <= max_mask_digits; },
                                    "{key}: {element} must be " + digits_range + ", {entry} = {value}"};
    return config::Schema<P>(key, meaning)
        .required(&P::directory, "directory", "the result folder (masks, res_track.txt, tracks.csv)", not_empty)
        .required(&P::create, "create", "true: move an existing folder to the trash and make a fresh one")
        .required(&P::distance_gate, "distance_gate",
                  "a newborn track closer than this to a track under way is taken as its daughter (0: none)", gate)
        .optional(&P::mask_digits, "mask_digits", "the frame number's width in mask file names", digits)
        .optional(&P::compression, "compression",
                  "how mask files are compressed: lzw (smallest), packbits (fastest to write) or none",
                  config::one_of({"lzw", "packbits", "none"}));
}

const config::Schema<IsbiFrameWriter::Parameters>& IsbiFrameWriter::schema() {
    static const auto schema = writer_schema(key(), "writes the cell-tracking result of 2-D tracks: label masks, "
                                                    "res_track.txt and tracks.csv");
    return schema;
}

const config::Schema<IsbiFrameWriter3d::Parameters>& IsbiFrameWriter3d::schema() {
    static const auto schema = writer_schema(key(), "writes the cell-tracking result of 3-D tracks: label mask "
                                                    "stacks, res_track.txt and tracks.csv");
    return schema;
}

IsbiFrameWriterBase::IsbiFrameWriterBase(const Parameters& parameters, std::string key, int dimension)
    : key_(std::move(key)),
      directory_(normalised_directory(parameters.directory)),
      distance_gate_(parameters.distance_gate),
      mask_digits_(parameters.mask_digits),
      compression_(parameters.compression == "packbits" ? ipc::TiffCompression::packbits
                   : parameters.compression == "none"   ? ipc::TiffCompression::none
                                                        : ipc::TiffCompression::lzw),
      table_(dimension),
      masks_(cmpnt::thread_budget() > 1) {
    if (parameters.create) util::System::make_directory(directory_);
}

std::string IsbiFrameWriterBase::mask_name(std::int32_t frame_number) const {
    std::string digits = std::to_string(frame_number);
    if (static_cast<int>(digits.size()) < mask_digits_)
        digits.insert(0, static_cast<std::size_t>(mask_digits_) - digits.size(), '0');
    return directory_ + "/mask" + digits + ".tif";
}

std::int32_t IsbiFrameWriterBase::frame_number(double time) const {
    // f = trunc(t); a time outside the 32-bit range has no frame number.
    const bool representable = time > -2147483649.0 && time < 2147483648.0;
    const std::int32_t f =
        representable ? static_cast<std::int32_t>(time) : std::numeric_limits<std::int32_t>::min();
    if (f < 0)
        throw util::Exception(key_ + ": the frame time gives no frame number of 0 or more, time = " +
                              format_number(time));
    return f;
}

void IsbiFrameWriterBase::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        // The last mask must be on disk (or its failure known) before the
        // lineage marks the result complete.
        try {
            masks_.finish();
        } catch (...) {
            failed_ = true;
            throw;
        }
        write_lineage();
        child().push_frame(nullptr);
        return;
    }
    // Until the frame is fully written the writer counts as failed, so that
    // a lineage missing this frame is never written as if it were complete.
    failed_ = true;
    const auto& input = composite_frame(frame);
    state::StatePtr result = write_frame(input);
    failed_ = false;
    // The frame goes on as a copy whose own states tell the picture writers
    // what was written.
    child().push_frame(with_own_state(input, std::move(result)));
}

state::StatePtr IsbiFrameWriterBase::write_frame(const frame::CompositeStateFrame& frame) {
    const std::int32_t f = frame_number(frame.time);
    const auto earlier = frame_times_.find(f);
    if (earlier != frame_times_.end())
        throw util::Exception(key_ + ": frame times " + format_number(earlier->second) + " and " +
                              format_number(frame.time) + " give the same mask number " + std::to_string(f));
    frame_times_.emplace(f, frame.time);

    const std::vector<TrackSighting> tracks = sightings(frame);
    const std::vector<std::int32_t> labels = lineage_.label_frame(tracks, f, distance_gate_);
    PaintedMask painted = paint_frame_mask(frame, tracks, labels);
    // Reports the previous mask's failure, if any, before this one is queued.
    masks_.write([name = mask_name(f), mask = painted.mask, stack = painted.stack, compression = compression_] {
        if (stack)
            write_mask(name, *stack, compression);
        else
            write_mask(name, *mask, compression);
    });
    std::vector<ResultMaskState::LabelRecord> records;
    for (std::size_t k = 0; k < tracks.size(); ++k) {
        if (labels[k] == 0) continue;
        const std::int32_t parent = lineage_.segments().at(labels[k]).parent;
        table_.add({f, labels[k], parent, tracks[k].position, tracks[k].measures});
        records.push_back({labels[k], parent});
    }
    std::sort(records.begin(), records.end(), [](const auto& a, const auto& b) { return a.label < b.label; });
    return std::make_shared<const ResultMaskState>(f, std::move(painted.mask), std::move(painted.stack),
                                                   std::move(records));
}

namespace {

template <class Content>
void write_text_file(const std::string& name, const Content& content) {
    std::ofstream out(name, std::ios::out | std::ios::trunc);
    if (!out) throw util::Exception("Unable to open file: " + name);
    content.write(out);
    out.close();
    if (out.fail()) throw util::Exception("unable to write " + name);
}

}  // namespace

void IsbiFrameWriterBase::write_lineage() const {
    const std::string name = lineage_name();
    if (failed_) throw util::Exception(key_ + ": an earlier frame failed, " + name + " is not written");
    // The lineage last: its presence marks a complete result.
    write_text_file(table_name(), table_);
    write_text_file(name, lineage_);
}

namespace {

// The frame's own contact states, where the segmentation it came from is
// kept.
const state::CompositeState& own_contact(const frame::CompositeStateFrame& frame, const std::string& key) {
    if (!frame.meta_data) throw util::Exception(key + ": the frame has no own states");
    const auto& contact = frame.meta_data->get<state::ContactState>().contact;
    if (!contact) throw util::Exception(key + ": the frame's own contact states are missing");
    return *contact;
}

// The segmentation the frame's contacts came from, through the frame's own
// contact states. A 2-D one is kept compact in its state and painted into
// `scratch` (once for both uses of a frame: `scratch` remembers the state it
// holds).
template <int N>
const typename Space<N>::Segmentation& frame_segmentation(const frame::CompositeStateFrame& frame,
                                                          const std::string& key,
                                                          SegmentationScratch& scratch) {
    using SegmentationState = typename Space<N>::SegmentationState;
    const auto state = own_contact(frame, key).get_shared<SegmentationState>();
    const auto missing = [&] {
        return util::Exception(key + ": the frame holds no segmentation, time = " + format_number(frame.time));
    };
    if constexpr (N == 2) {
        if (scratch.painted_from != state) {
            scratch.painted_from = nullptr;
            if (!state->paint(scratch.image)) throw missing();
            scratch.painted_from = state;
        }
        return scratch.image;
    } else {
        if (!state->segmentation) throw missing();
        return *state->segmentation;
    }
}

// The runs a 2-D frame's segmentation is kept as, so that the writer reads
// them without painting a label image; null when the frame holds the
// segmentation as an image (or none: frame_segmentation then says so).
const ipc::SegmentRuns* frame_runs(const frame::CompositeStateFrame& frame, const std::string& key) {
    return own_contact(frame, key).get<ipc::SegmentImageState>().runs();
}

// The mean of the track's position, from a position estimate or the
// position part of a position-velocity estimate; false when it has neither.
template <int N>
bool position_mean(const state::CompositeState& states, nmrc::Vector<3>& position) {
    if (const auto estimate = states.get_ptr<state::PositionEstimateState<N>>()) {
        for (int k = 0; k < N; ++k) position[k] = estimate->estimate.mean[k];
        return true;
    }
    if (const auto estimate = states.get_ptr<state::PositionVelocityEstimateState<N>>()) {
        const nmrc::Vector<N> mean = estimate->position();
        for (int k = 0; k < N; ++k) position[k] = mean[k];
        return true;
    }
    return false;
}

}  // namespace

template <int N>
std::vector<TrackSighting> BasicIsbiFrameWriter<N>::sightings(const frame::CompositeStateFrame& frame) const {
    std::vector<TrackSighting> tracks;
    tracks.reserve(frame.composite_states.size());
    for (const auto& states : frame.composite_states) {
        TrackSighting track;
        track.track = track_label(*states);
        // The filters must keep these on every track; say which is missing
        // rather than failing with a bare cast error.
        const auto m_of_n = states->get_ptr<ostrel::MofNState>();
        const bool has_position = position_mean<N>(*states, track.position);
        if (!m_of_n || !has_position) {
            std::ostringstream what;
            what << key() << ": track " << track.track << " at time " << frame.time << " has no "
                 << (m_of_n ? state::PositionEstimateState<N>::key() + std::string(" or ") +
                                  state::PositionVelocityEstimateState<N>::key()
                            : std::string("m_of_n_state"))
                 << " (the tracker's filters must keep one on every track)";
            throw util::Exception(what.str());
        }
        track.newborn = m_of_n->n == 1;
        if (const auto parent = states->get_ptr<ostrel::TrackParentState>()) track.parent_track = parent->parent;
        const state::CompositeState& contact = track_contact(*states);
        if (const auto segment = contact.get_ptr<ipc::SegmentIdState>()) track.segment = segment->id;
        if (const auto features = contact.get_ptr<ipc::SegmentFeaturesState>())
            track.measures = SegmentMeasures{features->features.area, features->features.mean_intensity};
        tracks.push_back(track);
    }
    const std::vector<bool> marked = [&] {
        if constexpr (N == 2)
            if (const ipc::SegmentRuns* runs = frame_runs(frame, key())) return marked_tracks(*runs, tracks);
        return marked_tracks(frame_segmentation<N>(frame, key(), scratch_), tracks);
    }();
    for (std::size_t k = 0; k < tracks.size(); ++k) tracks[k].marked = marked[k];
    return tracks;
}

template <int N>
IsbiFrameWriterBase::PaintedMask BasicIsbiFrameWriter<N>::paint_frame_mask(const frame::CompositeStateFrame& frame,
                                                                           const std::vector<TrackSighting>& tracks,
                                                                           const std::vector<std::int32_t>& labels) const {
    auto mask = std::make_shared<typename Space<N>::Mask>([&] {
        if constexpr (N == 2)
            if (const ipc::SegmentRuns* runs = frame_runs(frame, this->key())) return paint_mask(*runs, tracks, labels);
        return paint_mask(frame_segmentation<N>(frame, this->key(), scratch_), tracks, labels);
    }());
    PaintedMask painted;
    if constexpr (N == 2)
        painted.mask = std::move(mask);
    else
        painted.stack = std::move(mask);
    return painted;
}

template class BasicIsbiFrameWriter<2>;
template class BasicIsbiFrameWriter<3>;

}  // namespace isbi
