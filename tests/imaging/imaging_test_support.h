#pragma once
#include <gtest/gtest.h>
#include <tiffio.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/image.h"
#include "imaging/image_3d.h"
#include "model/frame.h"
#include "pipeline/component.h"
#include "support/expect_message.h"
#include "xml/querier.h"

namespace ipc_test {

// A fresh folder under the system temporary folder, removed with everything
// in it when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // A path inside this folder that does not exist yet.
    std::string fresh(const std::string& name) const { return file(name); }

private:
    std::string path_;
};

// A number as configuration text ("1.5", "40").
inline std::string number(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

// The element parsed from text; the Querier stands on it.
inline xml::Querier element(const std::string& text) { return xml::Querier::parse("\n" + text); }

// The last stage of a test pipeline: keeps every frame it receives, the
// end-of-stream null frame included.
class FrameCollector : public cmpnt::Component {
public:
    void insert_child(cmpnt::ComponentPtr) override {}
    void push_frame(cmpnt::FramePtr frame) override { frames.push_back(std::move(frame)); }
    std::vector<cmpnt::FramePtr> frames;
};

// Pages of a greyscale TIFF written directly with libtiff, so that tests can
// make files our writers never produce.
struct RawPage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bits = 16;
    std::uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    std::uint16_t samples = 1;
    std::uint16_t compression = COMPRESSION_NONE;
    std::uint16_t sample_format = SAMPLEFORMAT_UINT;
    // Written in tiles of this size (multiples of 16) when both are > 0.
    std::uint32_t tile_width = 0;
    std::uint32_t tile_height = 0;
    bool page_number = false;
    std::uint16_t page = 0;
    std::uint16_t page_count = 0;
    std::uint16_t predictor = PREDICTOR_NONE;  // set for LZW and Deflate only
    std::uint32_t rows_per_strip = 0;          // 0: one strip
    std::vector<std::uint8_t> bytes;  // width * height * samples * bits / 8, row-major
};
// Written in the host's byte order, or big-endian when `big_endian`.
void write_raw_tiff(const std::string& name, const std::vector<RawPage>& pages, bool big_endian = false);

// An uncompressed 16-bit little-endian TIFF laid out header, directory,
// pixels (libtiff puts the directory last), cut to its first keep_bytes
// bytes: the directory survives while the pixel data is truncated.
void write_truncated_tiff(const std::string& name, std::uint32_t width, std::uint32_t height,
                          std::size_t keep_bytes);

// A page of 16-bit (or 8-bit) samples.
RawPage page16(std::uint32_t width, std::uint32_t height, const std::vector<std::uint16_t>& values);
RawPage page8(std::uint32_t width, std::uint32_t height, const std::vector<std::uint8_t>& values);

// Reads every page of a TIFF of 32-bit samples (what the label writers make).
std::vector<std::vector<std::int32_t>> read_raw_int32_pages(const std::string& name);

// Value of tag in the first directory of a file (-1 when absent).
long long first_page_tag(const std::string& name, ttag_t tag);

// A w x h image whose pixel (x, y) is f(x, y).
template <class T, class F>
ipc::Image<T> make_image(int width, int height, F f) {
    ipc::Image<T> image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image(x, y) = static_cast<T>(f(x, y));
    return image;
}

template <class T>
ipc::Image<T> image_from_rows(const std::vector<std::vector<T>>& rows) {
    const int height = static_cast<int>(rows.size());
    const int width = height ? static_cast<int>(rows[0].size()) : 0;
    return make_image<T>(width, height, [&rows](int x, int y) { return rows[y][x]; });
}

template <class T>
std::vector<std::vector<T>> rows_of(const ipc::Image<T>& image) {
    std::vector<std::vector<T>> rows(image.height(), std::vector<T>(image.width()));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) rows[y][x] = image(x, y);
    return rows;
}

// Expects statement to throw a std::exception whose message contains every
// one of the given parts.
#define EXPECT_THROW_CONTAINING(statement, ...)                                     \
    do {                                                                             \
        try {                                                                        \
            statement;                                                               \
            ADD_FAILURE() << "no exception from: " #statement;                       \
        } catch (const std::exception& error_) {                                    \
            const std::string message_ = error_.what();                              \
            for (const std::string& part_ : std::vector<std::string>{__VA_ARGS__})   \
                EXPECT_NE(message_.find(part_), std::string::npos)                   \
                    << "message \"" << message_ << "\" lacks \"" << part_ << "\"";   \
        }                                                                            \
    } while (false)

}  // namespace ipc_test
