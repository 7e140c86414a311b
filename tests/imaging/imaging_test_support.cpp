#include "imaging_test_support.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <unistd.h>

namespace ipc_test {

TempDir::TempDir() {
    static std::atomic<int> serial{0};
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = "ostrel_imaging_" + std::to_string(::getpid()) + "_" + std::to_string(serial++);
    if (test) name += std::string("_") + test->name();
    for (char& c : name)
        if (c == '/') c = '_';
    path_ = (std::filesystem::temp_directory_path() / name).string();
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

void write_raw_tiff(const std::string& name, const std::vector<RawPage>& pages, bool big_endian) {
    TIFF* tif = TIFFOpen(name.c_str(), big_endian ? "wb" : "w");
    if (!tif) throw std::runtime_error("test fixture cannot open " + name);
    for (const RawPage& page : pages) {
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, page.width);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, page.height);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, page.bits);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, page.samples);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, page.photometric);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, page.compression);
        TIFFSetField(tif, TIFFTAG_SAMPLEFORMAT, page.sample_format);
        if (page.page_number) TIFFSetField(tif, TIFFTAG_PAGENUMBER, page.page, page.page_count);
        if (page.predictor != PREDICTOR_NONE) TIFFSetField(tif, TIFFTAG_PREDICTOR, page.predictor);
        bool written = true;
        if (page.tile_width > 0 && page.tile_height > 0) {
            TIFFSetField(tif, TIFFTAG_TILEWIDTH, page.tile_width);
            TIFFSetField(tif, TIFFTAG_TILELENGTH, page.tile_height);
            const std::size_t pixel_bytes = std::size_t{page.bits} / 8 * page.samples;
            std::vector<std::uint8_t> tile(std::size_t{page.tile_width} * page.tile_height * pixel_bytes);
            for (std::uint32_t y0 = 0; y0 < page.height; y0 += page.tile_height) {
                for (std::uint32_t x0 = 0; x0 < page.width; x0 += page.tile_width) {
                    std::fill(tile.begin(), tile.end(), 0);
                    for (std::uint32_t y = y0; y < std::min(page.height, y0 + page.tile_height); ++y)
                        for (std::uint32_t x = x0; x < std::min(page.width, x0 + page.tile_width); ++x)
                            std::memcpy(&tile[((y - y0) * page.tile_width + (x - x0)) * pixel_bytes],
                                        &page.bytes[(std::size_t{y} * page.width + x) * pixel_bytes], pixel_bytes);
                    written = written && TIFFWriteTile(tif, tile.data(), x0, y0, 0, 0) >= 0;
                }
            }
        } else {
            const std::uint32_t rows = page.rows_per_strip > 0 ? page.rows_per_strip : page.height;
            TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, rows);
            const std::size_t row_bytes = page.height > 0 ? page.bytes.size() / page.height : 0;
            for (std::uint32_t y0 = 0; y0 < page.height; y0 += rows) {
                auto* start = const_cast<std::uint8_t*>(page.bytes.data()) + y0 * row_bytes;
                const auto bytes = static_cast<tmsize_t>(std::min(rows, page.height - y0) * row_bytes);
                written = written && TIFFWriteEncodedStrip(tif, y0 / rows, start, bytes) >= 0;
            }
        }
        if (!written || TIFFWriteDirectory(tif) != 1) {
            TIFFClose(tif);
            throw std::runtime_error("test fixture cannot write " + name);
        }
    }
    TIFFClose(tif);
}

void write_truncated_tiff(const std::string& name, std::uint32_t width, std::uint32_t height,
                          std::size_t keep_bytes) {
    struct Entry {
        std::uint16_t tag, type;
        std::uint32_t value;
    };
    const std::uint32_t data_bytes = width * height * 2;
    const std::vector<Entry> entries{{256, 4, width}, {257, 4, height}, {258, 3, 16}, {259, 3, 1},
                                     {262, 3, 1},     {273, 4, 0},      {277, 3, 1},  {278, 4, height},
                                     {279, 4, data_bytes}};
    const std::uint32_t data_offset = 8 + 2 + 12 * static_cast<std::uint32_t>(entries.size()) + 4;
    std::string bytes = std::string("II*\0", 4);
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i) bytes.push_back(static_cast<char>(value >> (8 * i)));
    };
    put(8, 4);
    put(static_cast<std::uint32_t>(entries.size()), 2);
    for (const Entry& e : entries) {
        put(e.tag, 2);
        put(e.type, 2);
        put(1, 4);
        put(e.tag == 273 ? data_offset : e.value, 4);  // short values sit in the low bytes
    }
    put(0, 4);
    for (std::uint32_t i = 0; i < data_bytes; ++i) bytes.push_back(static_cast<char>(i * 7));
    bytes.resize(std::min(keep_bytes, bytes.size()));
    std::ofstream(name, std::ios::binary) << bytes;
}

RawPage page16(std::uint32_t width, std::uint32_t height, const std::vector<std::uint16_t>& values) {
    RawPage page;
    page.width = width;
    page.height = height;
    page.bits = 16;
    page.bytes.resize(values.size() * 2);
    std::memcpy(page.bytes.data(), values.data(), page.bytes.size());
    return page;
}

RawPage page8(std::uint32_t width, std::uint32_t height, const std::vector<std::uint8_t>& values) {
    RawPage page;
    page.width = width;
    page.height = height;
    page.bits = 8;
    page.bytes = values;
    return page;
}

std::vector<std::vector<std::int32_t>> read_raw_int32_pages(const std::string& name) {
    TIFF* tif = TIFFOpen(name.c_str(), "r");
    if (!tif) throw std::runtime_error("test fixture cannot open " + name);
    std::vector<std::vector<std::int32_t>> pages;
    do {
        std::uint32_t width = 0, height = 0;
        std::uint16_t bits = 0;
        TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
        TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
        TIFFGetField(tif, TIFFTAG_BITSPERSAMPLE, &bits);
        if (bits != 32) throw std::runtime_error("test fixture expects 32-bit samples");
        std::vector<std::int32_t> pixels(std::size_t{width} * height);
        for (std::uint32_t y = 0; y < height; ++y)
            if (TIFFReadScanline(tif, pixels.data() + std::size_t{y} * width, y, 0) != 1)
                throw std::runtime_error("test fixture cannot read " + name);
        pages.push_back(std::move(pixels));
    } while (TIFFReadDirectory(tif) == 1);
    TIFFClose(tif);
    return pages;
}

long long first_page_tag(const std::string& name, ttag_t tag) {
    TIFF* tif = TIFFOpen(name.c_str(), "r");
    if (!tif) throw std::runtime_error("test fixture cannot open " + name);
    long long value = -1;
    if (tag == TIFFTAG_IMAGEWIDTH || tag == TIFFTAG_IMAGELENGTH || tag == TIFFTAG_ROWSPERSTRIP) {
        std::uint32_t long_value = 0;
        if (TIFFGetField(tif, tag, &long_value) == 1) value = long_value;
    } else {
        std::uint16_t short_value = 0;
        std::uint16_t second = 0;
        if (TIFFGetField(tif, tag, &short_value, &second) == 1) value = short_value;
    }
    TIFFClose(tif);
    return value;
}

}  // namespace ipc_test
