#include "celltracking/picture_writers.h"

#include <algorithm>
#include <fstream>

#include "celltracking/background_images.h"
#include "celltracking/lineage_svg.h"
#include "celltracking/overlay_picture.h"
#include "celltracking/result_mask_state.h"
#include "celltracking/track_access.h"
#include "imaging/tiff_file_names.h"
#include "imaging/tiff_readers.h"
#include "pipeline/thread_budget.h"
#include "util/system.h"

namespace isbi {

namespace {

const ResultMaskState& result_of(const frame::CompositeStateFrame& frame, const char* key) {
    const auto state = frame.meta_data ? frame.meta_data->get_ptr<ResultMaskState>() : nullptr;
    if (!state)
        throw util::Exception(std::string(key) +
                              ": the frame carries no result mask; place this writer after isbi_frame_writer "
                              "or isbi_frame_writer_3d");
    return *state;
}

// Backslashes become slashes, and one trailing slash is dropped ("/" stays).
std::string folder_of(std::string directory) {
    std::replace(directory.begin(), directory.end(), '\\', '/');
    if (directory.size() > 1 && directory.back() == '/') directory.pop_back();
    return directory;
}

// A text element that must not be empty (a folder or file name).
config::Check<std::string> not_empty() {
    return {"not empty", [](const std::string& text) { return !text.empty(); },
            "{key}: {element} is empty: {entry} = {value}"};
}

std::optional<std::string> text_of(const xml::Querier& element) { return element.raw_text(); }

}  // namespace

const config::Schema<OverlayPngWriter::Parameters>& OverlayPngWriter::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>(key(), "draws every frame's result labels over its image, one PNG per frame")
            .required(&P::directory, "directory", "the folder of the pictures", not_empty())
            .required(&P::create, "create", "true: move an existing folder to the trash and make a fresh one")
            .product(&P::image_directory, "image_directory", "a folder of TIFF files",
                     "the images the run read; the k-th file in name order is the background of the k-th frame "
                     "(without it the background is black)",
                     &text_of, false);
    return schema;
}

OverlayPngWriter::OverlayPngWriter(const Parameters& parameters)
    : directory_(folder_of(schema().validate(parameters).directory)), files_(cmpnt::thread_budget() > 1) {
    if (parameters.image_directory) {
        const std::string& images = *parameters.image_directory;
        std::deque<std::string> files = ipc::list_tiff_files(images);
        if (files.empty())
            throw util::Exception(std::string(key()) + ": image_directory holds no TIFF file, image_directory = " +
                                  images);
        // Reading the next image on a second thread needs a second core.
        backgrounds_ = std::make_unique<BackgroundImages>(std::move(files), cmpnt::thread_budget() > 1);
    }
    if (parameters.create) util::System::make_directory(directory_);
}

std::string OverlayPngWriter::picture_name(std::int32_t frame_number) const {
    std::string digits = std::to_string(frame_number);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return directory_ + "/overlay" + digits + ".png";
}

void OverlayPngWriter::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        try {
            files_.finish();
        } catch (const util::Exception& error) {
            throw util::Exception(std::string(key()) + ": " + error.what());
        }
        child().push_frame(nullptr);
        return;
    }
    const ResultMaskState& result = result_of(composite_frame(frame), key());
    std::shared_ptr<const ipc::Image<unsigned short>> image;
    if (backgrounds_) {
        if (backgrounds_->empty())
            throw util::Exception(std::string(key()) + ": frame " + std::to_string(frames_) +
                                  " has no image left in image_directory");
        image = std::make_shared<const ipc::Image<unsigned short>>(backgrounds_->next(result.stack != nullptr));
    }
    ++frames_;
    // The picture is drawn, compressed and written while the next frame is
    // worked on; the job shares the frame's mask rather than copying it.
    try {
        files_.write([name = picture_name(result.frame_number), image, mask = result.mask, stack = result.stack] {
            const auto draw = [&](const Mask& labels) {
                write_indexed_png(name, render_overlay(image.get(), labels), OverlayColours::palette());
            };
            if (stack)
                draw(project_labels(*stack));
            else if (mask)
                draw(*mask);
            else
                draw(Mask());
        });
    } catch (const util::Exception& error) {
        throw util::Exception(std::string(key()) + ": " + error.what());
    }
    child().push_frame(std::move(frame));
}

const config::Schema<LineageSvgWriter::Parameters>& LineageSvgWriter::schema() {
    static const auto schema =
        config::Schema<Parameters>(key(), "draws the lineage of every label written as one SVG picture")
            .required(&Parameters::file, "file", "the picture's file name", not_empty());
    return schema;
}

LineageSvgWriter::LineageSvgWriter(const Parameters& parameters) : file_(schema().validate(parameters).file) {}

void LineageSvgWriter::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        std::ofstream out(file_, std::ios::out | std::ios::trunc);
        if (!out) throw util::Exception("Unable to open file: " + file_);
        write_lineage_svg(out, tracks_);
        out.close();
        if (out.fail()) throw util::Exception("unable to write " + file_);
        child().push_frame(nullptr);
        return;
    }
    const ResultMaskState& result = result_of(composite_frame(frame), key());
    for (const auto& record : result.labels) {
        const auto [entry, added] =
            tracks_.emplace(record.label, TrackLineage::Segment{result.frame_number, result.frame_number, record.parent});
        if (!added) {
            entry->second.begin = std::min(entry->second.begin, result.frame_number);
            entry->second.end = std::max(entry->second.end, result.frame_number);
        }
    }
    child().push_frame(std::move(frame));
}

}  // namespace isbi
