#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "celltracking/file_write_queue.h"
#include "celltracking/label_mask.h"
#include "celltracking/track_lineage.h"
#include "celltracking/track_positions_table.h"
#include "config/schema.h"
#include "imaging/segment_states.h"
#include "model/composite_state_frame.h"
#include "pipeline/component.h"

namespace isbi {

// Writes the cell-tracking result: one 16-bit label mask per frame,
// directory + "/mask" + frame number + ".tif", and, when the end of the
// stream arrives, the lineage directory + "/res_track.txt" (one line "label
// begin end parent" per output label) with the table directory +
// "/tracks.csv" of every label's position in every frame (see
// TrackPositionsTable). A run that ends with an error writes neither.
//
// The result is valid by construction: a track that has no pixel of its own
// in a frame (its segment taken by a later track, its coasting position
// outside the image or marked over) ends its label there, and continues
// under a new label with the old one as parent (see TrackLineage). Elements: "directory" (text), "create" ("true" prepares a
// fresh directory), "distance_gate" (double, >= 0; a newborn track closer
// than this to a track under way is taken as a daughter of a division) and
// optionally "mask_digits" (the frame number's width in mask names, 3 by
// default) and "compression" of the masks ("lzw" by default, "packbits" or
// "none"; see ipc::TiffCompression).
//
// The frame number is the frame time truncated to an integer; frames must
// give distinct, non-negative numbers.
class IsbiFrameWriterBase : public cmpnt::MonoChildComponent {
public:
    static constexpr int default_mask_digits = 3;
    static constexpr int max_mask_digits = 10;

    struct Parameters {
        std::string directory;  // "\\" and "/" alike; one trailing "/" is dropped
        bool create = false;    // prepare a fresh directory
        double distance_gate = 0;
        int mask_digits = default_mask_digits;
        std::string compression = "lzw";
    };
    // The parameters as the writer of `key` declares them.
    static config::Schema<Parameters> writer_schema(const char* key, const char* meaning);

    // `parameters` are checked by the caller's schema.
    IsbiFrameWriterBase(const Parameters& parameters, std::string key, int dimension);

    void push_frame(cmpnt::FramePtr frame) override;

    const std::string& directory() const { return directory_; }
    std::string mask_name(std::int32_t frame_number) const;
    std::string lineage_name() const { return directory_ + "/res_track.txt"; }
    std::string table_name() const { return directory_ + "/tracks.csv"; }
    const TrackLineage& lineage() const { return lineage_; }

protected:
    // The tracks of a frame as the lineage and the mask need them.
    virtual std::vector<TrackSighting> sightings(const frame::CompositeStateFrame& frame) const = 0;
    // The mask of a frame, 2-D or 3-D.
    struct PaintedMask {
        std::shared_ptr<const Mask> mask;
        std::shared_ptr<const Mask3d> stack;
    };
    // Paints the frame's mask.
    virtual PaintedMask paint_frame_mask(const frame::CompositeStateFrame& frame,
                                         const std::vector<TrackSighting>& tracks,
                                         const std::vector<std::int32_t>& labels) const = 0;

    const std::string& key() const { return key_; }

private:
    // Writes the frame's mask and returns what the picture writers need of
    // it (a ResultMaskState).
    state::StatePtr write_frame(const frame::CompositeStateFrame& frame);
    void write_lineage() const;
    std::int32_t frame_number(double time) const;

    std::string key_;
    std::string directory_;
    double distance_gate_ = 0;
    int mask_digits_ = default_mask_digits;
    ipc::TiffCompression compression_ = ipc::TiffCompression::lzw;
    TrackLineage lineage_;
    TrackPositionsTable table_;
    std::map<std::int32_t, double> frame_times_;  // time of the frame behind each mask written
    bool failed_ = false;                          // a frame ended in an error
    // The mask files are compressed and written while the next frame is
    // tracked (when a second core is there).
    FileWriteQueue masks_;
};

// A 2-D frame's segmentation as painted from its compact state, and that
// state (kept alive, so that its address names it).
struct SegmentationScratch {
    ipc::SegmentImage image;
    std::shared_ptr<const ipc::SegmentImageState> painted_from;
};

// The writer for tracks of dimension N (2 or 3): positions from
// PositionEstimateState<N> or the position part of
// PositionVelocityEstimateState<N>, the segmentation from the frame's own
// contact states, segment measures from the SegmentFeaturesState of a
// track's contact.
template <int N>
class BasicIsbiFrameWriter : public IsbiFrameWriterBase {
public:
    BasicIsbiFrameWriter(const Parameters& parameters, std::string key)
        : IsbiFrameWriterBase(parameters, std::move(key), N) {}

protected:
    std::vector<TrackSighting> sightings(const frame::CompositeStateFrame& frame) const override;
    PaintedMask paint_frame_mask(const frame::CompositeStateFrame& frame, const std::vector<TrackSighting>& tracks,
                                 const std::vector<std::int32_t>& labels) const override;

private:
    mutable SegmentationScratch scratch_;  // 2-D only
};

extern template class BasicIsbiFrameWriter<2>;
extern template class BasicIsbiFrameWriter<3>;

// Key "isbi_frame_writer": 2-D masks.
class IsbiFrameWriter : public BasicIsbiFrameWriter<2> {
public:
    static const char* key() { return "isbi_frame_writer"; }
    static const config::Schema<Parameters>& schema();

    explicit IsbiFrameWriter(const Parameters& parameters)
        : BasicIsbiFrameWriter<2>(schema().validate(parameters), key()) {}
    explicit IsbiFrameWriter(const xml::Querier& querier) : IsbiFrameWriter(schema().bind(querier)) {}
};

// Key "isbi_frame_writer_3d": 3-D masks, a page per slice.
class IsbiFrameWriter3d : public BasicIsbiFrameWriter<3> {
public:
    static const char* key() { return "isbi_frame_writer_3d"; }
    static const config::Schema<Parameters>& schema();

    explicit IsbiFrameWriter3d(const Parameters& parameters)
        : BasicIsbiFrameWriter<3>(schema().validate(parameters), key()) {}
    explicit IsbiFrameWriter3d(const xml::Querier& querier) : IsbiFrameWriter3d(schema().bind(querier)) {}
};

}  // namespace isbi
