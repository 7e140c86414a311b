// Speed of the cell-tracking result tools on 1024 x 1024 frames with 400
// nuclei of radius 6 on a noisy background (target: the overlay writer at
// 50 frames per second or more):
//
//   RenderOverlay      image + label mask -> indexed picture (grey stretch,
//                      outlines, label numbers)
//   WriteOverlayPng    the above, then the PNG file
//   OverlayFrame       all the overlay writer does per frame: read the
//                      background TIFF (16-bit, LZW), render, write the PNG
//   OverlayFrameReadAhead  the same as the writer does it on two cores, with
//                      a background TIFF in LZW (deflate:0) or in Deflate with
//                      the predictor as ostrel-synth writes it (deflate:1): the
//                      next background is read on a second thread while the
//                      current frame is drawn, while a third writes the
//                      picture of the frame before (wall-clock frames/s,
//                      since the work is split between threads)
//   WriteMask          a result mask as isbi_frame_writer writes it, LZW
//                      (compression:0), PackBits (1) or uncompressed (2)
//   ScoreFrame         what ostrel-eval does per frame: read a reference and
//                      a result mask (16-bit TIFFs), overlap and match them
//
// Counter frames/s is per second of CPU time (CPU rather than wall time, so
// that other work on the machine distorts the figures less).
#include <benchmark/benchmark.h>

#include <cmath>
#include <deque>
#include <filesystem>
#include <random>
#include <string>

#include <unistd.h>

#include "celltracking/background_images.h"
#include "celltracking/file_write_queue.h"
#include "celltracking/label_mask.h"
#include "celltracking/overlay_picture.h"
#include "celltracking/png_file.h"
#include "evaluation/frame_matching.h"
#include "imaging/synthetic/compressed_tiff.h"
#include "imaging/tiff_page_writer.h"
#include "imaging/tiff_readers.h"
#include "util/heap_reuse.h"

namespace {

constexpr int kSize = 1024;
constexpr int kCells = 400;
constexpr double kRadius = 6.0;

struct Frame {
    ipc::Image<unsigned short> image;
    isbi::Mask labels;
    isbi::Mask shifted;  // the same nuclei a pixel to the right: a result to score
};

const Frame& frame() {
    static const Frame made = [] {
        std::mt19937 random(20240611);
        std::uniform_real_distribution<double> place(10, kSize - 10);
        std::normal_distribution<double> noise(0, 25);
        Frame f{ipc::Image<unsigned short>(kSize, kSize), isbi::Mask(kSize, kSize, 0), isbi::Mask(kSize, kSize, 0)};
        for (std::size_t i = 0; i < f.image.size(); ++i)
            f.image[i] = static_cast<unsigned short>(std::lround(400 + noise(random)));
        for (int label = 1; label <= kCells; ++label) {
            const double cx = place(random), cy = place(random);
            for (int y = static_cast<int>(cy - kRadius); y <= static_cast<int>(cy + kRadius); ++y)
                for (int x = static_cast<int>(cx - kRadius); x <= static_cast<int>(cx + kRadius); ++x)
                    if (std::hypot(x - cx, y - cy) <= kRadius) {
                        f.image(x, y) = static_cast<unsigned short>(2500 + noise(random));
                        f.labels(x, y) = static_cast<unsigned short>(label);
                        f.shifted(x + 1, y) = static_cast<unsigned short>(label);
                    }
        }
        return f;
    }();
    return made;
}

// A folder of this run's files, removed when the program ends.
struct ScratchFolder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("ostrel_pictures_bench_" + std::to_string(getpid()));
    ScratchFolder() { std::filesystem::create_directories(path); }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

std::string scratch(const std::string& name) {
    static const ScratchFolder folder;
    return (folder.path / name).string();
}

void frames_per_second(benchmark::State& state) {
    state.counters["frames/s"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void RenderOverlay(benchmark::State& state) {
    const Frame& f = frame();
    for (auto _ : state) benchmark::DoNotOptimize(isbi::render_overlay(&f.image, f.labels));
    frames_per_second(state);
}
BENCHMARK(RenderOverlay)->Unit(benchmark::kMillisecond);

void WriteOverlayPng(benchmark::State& state) {
    const Frame& f = frame();
    const std::string name = scratch("overlay.png");
    for (auto _ : state)
        isbi::write_indexed_png(name, isbi::render_overlay(&f.image, f.labels), isbi::OverlayColours::palette());
    state.counters["file_MB"] = static_cast<double>(std::filesystem::file_size(name)) / 1e6;
    frames_per_second(state);
}
BENCHMARK(WriteOverlayPng)->Unit(benchmark::kMillisecond);

// The background TIFFs: LZW as the TIFF writer makes them, or Deflate with
// the predictor as ostrel-synth (and so the shipped example) makes them.
std::string background_tiff(bool deflate) {
    const std::string name = scratch(deflate ? "deflate.tif" : "image.tif");
    if (deflate)
        synth::write_compressed_tiff(name, frame().image);
    else
        ipc::write_greyscale_tiff(name, frame().image);
    return name;
}

void OverlayFrame(benchmark::State& state) {
    const Frame& f = frame();
    const std::string image = background_tiff(false), name = scratch("frame.png");
    for (auto _ : state) {
        const auto background = ipc::read_short_image_tiff(image);
        isbi::write_indexed_png(name, isbi::render_overlay(&background, f.labels), isbi::OverlayColours::palette());
    }
    frames_per_second(state);
}
BENCHMARK(OverlayFrame)->Unit(benchmark::kMillisecond);

void OverlayFrameReadAhead(benchmark::State& state) {
    const Frame& f = frame();
    const std::string image = background_tiff(state.range(0) != 0), name = scratch("frame.png");
    const std::deque<std::string> files(static_cast<std::size_t>(state.max_iterations) + 1, image);
    isbi::BackgroundImages backgrounds(files, true);
    isbi::FileWriteQueue pictures(true);
    for (auto _ : state) {
        auto background = std::make_shared<const ipc::Image<unsigned short>>(backgrounds.next(false));
        pictures.write([&name, &f, background] {
            isbi::write_indexed_png(name, isbi::render_overlay(background.get(), f.labels),
                                    isbi::OverlayColours::palette());
        });
    }
    pictures.finish();
    frames_per_second(state);
}
BENCHMARK(OverlayFrameReadAhead)->ArgName("deflate")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// A result mask as the result writer writes it: LZW (0), PackBits (1) or
// uncompressed (2).
void WriteMask(benchmark::State& state) {
    const Frame& f = frame();
    const std::string name = scratch("mask.tif");
    const auto compression = static_cast<ipc::TiffCompression>(state.range(0));
    for (auto _ : state) isbi::write_mask(name, f.labels, compression);
    frames_per_second(state);
}
BENCHMARK(WriteMask)->ArgName("compression")->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void ScoreFrame(benchmark::State& state) {
    const Frame& f = frame();
    const std::string reference = scratch("man_track000.tif"), result = scratch("mask000.tif");
    ipc::write_greyscale_tiff(reference, f.labels);
    ipc::write_greyscale_tiff(result, f.shifted);
    std::size_t matched = 0;
    for (auto _ : state) {
        const auto truth = ipc::read_short_image_3d_tiff(reference);
        const auto computed = ipc::read_short_image_3d_tiff(result);
        const ctc::FrameMatching matching(ctc::overlap(truth, computed));
        matched = 0;
        for (ctc::Label label : matching.reference()) matched += matching.match_of(label) != 0;
    }
    state.counters["matched"] = static_cast<double>(matched);
    frames_per_second(state);
}
BENCHMARK(ScoreFrame)->Unit(benchmark::kMillisecond);

}  // namespace

// As in the programs: freed image buffers are kept for the next frame.
int main(int argc, char** argv) {
    util::reuse_freed_images();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
