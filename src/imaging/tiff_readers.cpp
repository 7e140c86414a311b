#include "imaging/tiff_readers.h"

#include <cstdint>
#include <vector>

#include "imaging/decoded_image_shelf.h"
#include "imaging/tiff_file_names.h"
#include "imaging/tiff_greyscale_file.h"
#include "imaging/type_words.h"
#include "model/frame.h"
#include "pipeline/source_length.h"

namespace ipc {

const config::Schema<TiffReaderBase::Parameters>& TiffReaderBase::schema() {
    using P = Parameters;
    static const auto schema =
        config::Schema<P>("tiff_reader", "reads one frame per TIFF file of a folder, the files in name order")
            .required(&P::directory, "directory", "the folder of the images; every .tif file in it is read")
            .required(&P::start_time, "start_time", "the time of the first frame", config::finite())
            .required(&P::dt, "dt", "the time between frames", config::finite());
    return schema;
}

TiffReaderBase::TiffReaderBase(const Parameters& parameters) : parameters_(schema().validate(parameters)) {
    names_ = list_tiff_files(parameters_.directory);
    cmpnt::announce_source_length(names_.size());
}

bool TiffReaderBase::push() {
    if (names_.empty()) {
        child().push_frame(nullptr);
        return false;
    }
    std::string name = names_.front();
    double time = (counter_ + 1) * parameters_.dt + parameters_.start_time;  // t_k = start_time + k dt
    read_and_push(name, time);
    names_.pop_front();
    ++counter_;
    return true;
}

namespace {
std::string size_text(const std::vector<int>& size) {
    std::string text;
    for (int extent : size) text += (text.empty() ? "" : " x ") + std::to_string(extent);
    return text;
}
}  // namespace

void TiffReaderBase::require_first_frame_size(const std::string& name, const std::vector<int>& size) {
    if (first_size_.empty()) {
        first_size_ = size;
        first_name_ = name;
        return;
    }
    if (size != first_size_)
        throw util::Exception("frame size differs from the first frame: " + name + " is " + size_text(size) +
                              ", the first frame " + first_name_ + " is " + size_text(first_size_));
}

std::string ShortImageTiffReader::key() { return type_word<Image<unsigned short>>() + "_tiff_reader"; }

std::string ShortImage3dTiffReader::key() {
    return type_word<Image3d<unsigned short>>() + "_tiff_reader";
}

Image<unsigned short> read_short_image_tiff(const std::string& name) {
    TiffFile file(name, "r");
    if (!file.is_open()) throw util::Exception("Unable to open file: " + name + file.diagnostics());
    Image<unsigned short> image;
    TiffGreyScaleFile::read(file, image);
    file.close();
    return image;
}

Image3d<unsigned short> read_short_image_3d_tiff(const std::string& name) {
    TiffFile file(name, "r");
    if (!file.is_open()) throw util::Exception("unable to open: " + name + file.diagnostics());
    TIFF* tif = file.handle();

    // The stack's size comes from the first page. Its PageNumber tag gives
    // the page count; without it (or with a count of 0, "unknown") every page
    // of the file is one slice.
    std::uint16_t page = 0;
    std::uint16_t page_count = 0;
    bool numbered = TIFFGetField(tif, TIFFTAG_PAGENUMBER, &page, &page_count) == 1;
    const long pages = static_cast<long>(TIFFNumberOfDirectories(tif));
    file.require(pages > 0 && pages <= 0x7fffffffL, "unable to count the pages");
    const long depth = numbered && page_count > 0 ? page_count : pages;
    // Checked before the stack is allocated: a count the file cannot fill.
    if (depth > pages)
        file.fail("page count " + std::to_string(depth) + " exceeds the " + std::to_string(pages) +
                  " pages of the file");

    // Pages are read one by one, each checked before its pixels are
    // allocated; the stack takes them once they are all there.
    TiffSizeCheck check(file);
    std::vector<TiffPage> slices(static_cast<std::size_t>(depth));
    std::vector<bool> filled(static_cast<std::size_t>(depth), false);
    int width = 0;
    int height = 0;
    for (long index = 0;; ++index) {
        long slice = index;
        if (TIFFGetField(tif, TIFFTAG_PAGENUMBER, &page, &page_count) == 1) slice = page;
        if (slice >= depth)
            file.fail("page number outside the stack, page = " + std::to_string(slice) +
                      ", depth = " + std::to_string(depth));
        TiffPage& target = slices[static_cast<std::size_t>(slice)];
        target = TiffGreyScaleFile::read_page(file, check);
        if (index == 0) {
            width = target.width;
            height = target.height;
        } else if (target.width != width || target.height != height) {
            file.fail("page " + std::to_string(slice) + " differs in size from the first page");
        }
        filled[static_cast<std::size_t>(slice)] = true;

        int more = TIFFReadDirectory(tif);
        file.require(!file.has_error(), "unable to read the directory after page " +
                                            std::to_string(slice));
        if (more != 1) break;
    }
    for (long slice = 0; slice < depth; ++slice)
        if (!filled[static_cast<std::size_t>(slice)])
            file.fail("page " + std::to_string(slice) + " is missing from the stack of depth " +
                      std::to_string(depth));
    file.close();

    std::vector<TiffPage*> pointers;
    for (TiffPage& slice : slices) pointers.push_back(&slice);
    TiffGreyScaleFile::convert_floats(pointers);
    Image3d<unsigned short> image(width, height, 0);
    for (TiffPage& slice : slices) image.slices().push_back(std::move(slice.pixels));
    return image;
}

void ShortImageTiffReader::read_and_push(const std::string& name, double time) {
    // Left for the overlay writer, when it will draw on this file, once the
    // frames downstream are done with it.
    auto image = DecodedImageShelf::shared().share(name, read_short_image_tiff(name));
    require_first_frame_size(name, {image->width(), image->height()});
    child().push_frame(std::make_shared<frame::FrameTemplate<Image<unsigned short>>>(time, image));
}

void ShortImage3dTiffReader::read_and_push(const std::string& name, double time) {
    auto image = std::make_shared<Image3d<unsigned short>>(read_short_image_3d_tiff(name));
    require_first_frame_size(name, {image->width(), image->height(), image->depth()});
    child().push_frame(std::make_shared<frame::FrameTemplate<Image3d<unsigned short>>>(time, image));
}

}  // namespace ipc
