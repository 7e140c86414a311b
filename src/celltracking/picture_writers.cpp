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

std::string folder_of(const xml::Querier& querier, const char* key, const char* element) {
    std::string directory = querier.read_raw(element);
    std::replace(directory.begin(), directory.end(), '\\', '/');
    if (directory.size() > 1 && directory.back() == '/') directory.pop_back();
    if (directory.empty()) throw util::Exception(std::string(key) + ": " + element + " is empty");
    return directory;
}

}  // namespace

OverlayPngWriter::OverlayPngWriter(const xml::Querier& querier) : directory_(folder_of(querier, key(), "directory")) {
    const bool create = querier.read_bool("create");
    xml::Querier image_directory;
    if (querier.find_tag("image_directory", image_directory)) {
        const std::string images = image_directory.raw_text();
        std::deque<std::string> files = ipc::list_tiff_files(images);
        if (files.empty())
            throw util::Exception(std::string(key()) + ": image_directory holds no TIFF file, image_directory = " +
                                  images);
        // Reading the next image on a second thread needs a second core.
        backgrounds_ = std::make_unique<BackgroundImages>(std::move(files), cmpnt::thread_budget() > 1);
    }
    if (create) util::System::make_directory(directory_);
}

std::string OverlayPngWriter::picture_name(std::int32_t frame_number) const {
    std::string digits = std::to_string(frame_number);
    if (digits.size() < 3) digits.insert(0, 3 - digits.size(), '0');
    return directory_ + "/overlay" + digits + ".png";
}

void OverlayPngWriter::push_frame(cmpnt::FramePtr frame) {
    if (!frame) {
        child().push_frame(nullptr);
        return;
    }
    const ResultMaskState& result = result_of(composite_frame(frame), key());
    std::unique_ptr<ipc::Image<unsigned short>> image;
    if (backgrounds_) {
        if (backgrounds_->empty())
            throw util::Exception(std::string(key()) + ": frame " + std::to_string(frames_) +
                                  " has no image left in image_directory");
        image = std::make_unique<ipc::Image<unsigned short>>(backgrounds_->next(result.stack != nullptr));
    }
    ++frames_;
    const Mask labels = result.stack ? project_labels(*result.stack) : result.mask ? *result.mask : Mask();
    try {
        write_indexed_png(picture_name(result.frame_number), render_overlay(image.get(), labels),
                          OverlayColours::palette());
    } catch (const util::Exception& error) {
        throw util::Exception(std::string(key()) + ": " + error.what());
    }
    child().push_frame(std::move(frame));
}

LineageSvgWriter::LineageSvgWriter(const xml::Querier& querier) : file_(querier.read_raw("file")) {
    if (file_.empty()) throw util::Exception(std::string(key()) + ": file is empty");
}

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
