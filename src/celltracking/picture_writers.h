#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "celltracking/background_images.h"
#include "celltracking/file_write_queue.h"
#include "celltracking/png_file.h"
#include "celltracking/track_lineage.h"
#include "config/schema.h"
#include "pipeline/component.h"

namespace isbi {

// Pictures of a cell-tracking result. Both read what isbi_frame_writer or
// isbi_frame_writer_3d put into the own states of the frames it passes on
// (a ResultMaskState), so they stand after it in the chain.

// Key "overlay_png_writer": one PNG per frame, directory + "/overlay" +
// frame number (3 digits or more) + ".png", showing the frame's image in
// grey with every label's outline in its colour and its number (see
// render_overlay; a 3-D result is shown projected along z). Elements:
// "directory" (text), "create" ("true" prepares a fresh directory) and
// optionally "image_directory" (text): the folder of the images the run
// read, whose k-th TIFF file in name order (a 2-D image or a 3-D stack) is
// the background of the k-th frame; without it the background is black.
// With two or more threads allowed (see thread_budget), the next background
// is read while the current frame is drawn, and the picture of the frame
// before is compressed and written meanwhile; the files are the same
// whatever the thread count, and all are written when the stream ends.
class OverlayPngWriter : public cmpnt::MonoChildComponent {
public:
    static const char* key() { return "overlay_png_writer"; }

    struct Parameters {
        std::string directory;  // "\\" and "/" alike; one trailing "/" is dropped
        bool create = false;    // prepare a fresh directory
        std::optional<std::string> image_directory;  // none: a black background
    };
    static const config::Schema<Parameters>& schema();

    explicit OverlayPngWriter(const Parameters& parameters);
    explicit OverlayPngWriter(const xml::Querier& querier) : OverlayPngWriter(schema().bind(querier)) {}

    void push_frame(cmpnt::FramePtr frame) override;

    std::string picture_name(std::int32_t frame_number) const;

private:
    std::string directory_;
    std::unique_ptr<BackgroundImages> backgrounds_;  // none: a black background
    std::int64_t frames_ = 0;
    FileWriteQueue files_;
};

// Key "lineage_svg_writer": the lineage of all labels written, as one SVG
// picture (see write_lineage_svg) when the stream ends. Element "file"
// (text): the picture's file name.
class LineageSvgWriter : public cmpnt::MonoChildComponent {
public:
    static const char* key() { return "lineage_svg_writer"; }

    struct Parameters {
        std::string file;
    };
    static const config::Schema<Parameters>& schema();

    explicit LineageSvgWriter(const Parameters& parameters);
    explicit LineageSvgWriter(const xml::Querier& querier) : LineageSvgWriter(schema().bind(querier)) {}

    void push_frame(cmpnt::FramePtr frame) override;

private:
    std::string file_;
    std::map<std::int32_t, TrackLineage::Segment> tracks_;
};

}  // namespace isbi
