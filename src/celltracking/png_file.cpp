#include "celltracking/png_file.h"

#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <memory>

#include "celltracking/literal_deflate.h"
#include "util/exception.h"

namespace isbi {

namespace {

// The picture's rows, each after its filter type 0 (none), as one zlib
// stream of literal-coded blocks (see zlib_literal_huffman).
std::vector<std::uint8_t> compressed_rows(const IndexedPicture& picture) {
    const auto width = static_cast<std::size_t>(picture.width);
    std::vector<std::uint8_t> rows;
    rows.reserve((width + 1) * static_cast<std::size_t>(picture.height));
    for (int y = 0; y < picture.height; ++y) {
        rows.push_back(0);
        const auto begin = picture.pixels.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * width);
        rows.insert(rows.end(), begin, begin + static_cast<std::ptrdiff_t>(width));
    }
    return zlib_literal_huffman(rows.data(), rows.size());
}

struct FileCloser {
    void operator()(std::FILE* file) const {
        if (file) std::fclose(file);
    }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// libpng's write structures, destroyed on every path. Errors are kept as
// text and reported through the longjmp libpng requires.
class PngWriter {
public:
    PngWriter() {
        png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, &PngWriter::on_error, &PngWriter::on_warning);
        if (png_) info_ = png_create_info_struct(png_);
    }
    PngWriter(const PngWriter&) = delete;
    PngWriter& operator=(const PngWriter&) = delete;
    ~PngWriter() {
        if (png_) png_destroy_write_struct(&png_, info_ ? &info_ : nullptr);
    }
    bool valid() const { return png_ && info_; }
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }
    const std::string& message() const { return message_; }

private:
    static void on_error(png_structp png, png_const_charp text) {
        static_cast<PngWriter*>(png_get_error_ptr(png))->message_ = text ? text : "unknown error";
        png_longjmp(png, 1);
    }
    static void on_warning(png_structp, png_const_charp) {}

    png_structp png_ = nullptr;
    png_infop info_ = nullptr;
    std::string message_;
};

}  // namespace

void write_indexed_png(const std::string& name, const IndexedPicture& picture, const Palette& palette) {
    if (picture.width <= 0 || picture.height <= 0)
        throw util::Exception("cannot write an empty picture, file = " + name);
    const std::vector<std::uint8_t> image_data = compressed_rows(picture);
    File file(std::fopen(name.c_str(), "wb"));
    if (!file) throw util::Exception("Unable to open file: " + name);
    PngWriter writer;
    if (!writer.valid()) throw util::Exception("unable to start libpng for " + name);
    std::vector<png_color> colours(palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i) colours[i] = png_color{palette[i].r, palette[i].g, palette[i].b};
    // Nothing with a destructor is made between setjmp and the last libpng
    // call: a longjmp back here skips no cleanup.
    if (setjmp(png_jmpbuf(writer.png())))
        throw util::Exception("unable to write " + name + ": " + writer.message());
    png_init_io(writer.png(), file.get());
    png_set_IHDR(writer.png(), writer.info(), static_cast<png_uint_32>(picture.width),
                 static_cast<png_uint_32>(picture.height), 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_set_PLTE(writer.png(), writer.info(), colours.data(), static_cast<int>(colours.size()));
    png_write_info(writer.png(), writer.info());
    // The compressed data in IDAT chunks of at most 1 MiB, then the end
    // chunk: libpng writes each with its length and CRC.
    constexpr std::size_t chunk = std::size_t{1} << 20;
    for (std::size_t at = 0; at < image_data.size(); at += chunk)
        png_write_chunk(writer.png(), reinterpret_cast<png_const_bytep>("IDAT"), image_data.data() + at,
                        std::min(chunk, image_data.size() - at));
    png_write_chunk(writer.png(), reinterpret_cast<png_const_bytep>("IEND"), nullptr, 0);
    if (std::fflush(file.get()) != 0 || std::ferror(file.get())) throw util::Exception("unable to write " + name);
    if (std::fclose(file.release()) != 0) throw util::Exception("unable to write " + name);
}

}  // namespace isbi
