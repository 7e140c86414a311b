// Throughput of the image side of a cell-tracking run on one realistic frame:
// a 1024 x 1024 16-bit fluorescence-like image with a few hundred bright
// nuclei of radius about 6 pixels on a noisy background. Each stage of the
// usual chain is timed on its own input:
//
//   ReadLzwTiff             file (16-bit, LZW, written once with libtiff) -> image
//   GreyscaleSegmentation   image -> 0/1 foreground mask (grey-level clustering)
//   SpatialSegmentation     mask -> connected regions (4-connected labelling)
//   ContactExtraction       mask + regions -> contact frame (centroids)
//   TiffToContacts          all of the above, file to contact frame
//
// and the nucleus chain of examples/cells/track_cells.xml, with its
// parameters:
//
//   GaussianSmoothing       image -> image smoothed with sigma 1
//   BackgroundSubtraction   smoothed image -> image less its background (squares of 24)
//   ThresholdSegmentation   corrected image -> 0/1 mask (triangle threshold)
//   ObjectSegmentation      mask + corrected image -> nuclei 1 .. N (relative threshold,
//                           holes, size, watershed split)
//   NucleusContacts         nuclei + corrected image -> contact frame with features
//   NucleusChain            all five, image to contact frame (no file reading)
//   NucleusChainCells       the same chain with the parameters ostrel-cells
//                           derives for these nuclei (diameter 12): sigma
//                           d / 7 = 1.71, squares of 2.5 d = 30, seeds 0.6 d
//                           = 7 apart, minimum size max(4, 2 % of the area)
//
// Counters: MP/s = megapixels of the frame processed per second of CPU time
// (CPU rather than wall time, so that other work on the machine distorts the
// figures less); file_MB = size of the compressed file; regions = segments
// found (the nuclei, the background and a few single-pixel noise specks);
// contacts = contacts made (the frame holds kBlobCount nuclei, so this should
// equal it).
#include <benchmark/benchmark.h>
#include <tiffio.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>

#include "imaging/contact_frame_converters.h"
#include "imaging/greyscale_segmentors.h"
#include "imaging/image.h"
#include "imaging/object_segmentors.h"
#include "imaging/operators/background_subtractor.h"
#include "imaging/operators/gaussian_smoother.h"
#include "imaging/threshold_segmentors.h"
#include "imaging/segment_image.h"
#include "imaging/segmented_image.h"
#include "imaging/segmented_image_adapters.h"
#include "imaging/spatial_segmentors.h"
#include "imaging/tiff_readers.h"
#include "model/composite_state_frame.h"
#include "model/frame.h"
#include "pipeline/component.h"
#include "xml/querier.h"

namespace {

using ShortImage = ipc::Image<unsigned short>;
using ShortPair = ipc::SegmentedImage<ShortImage>;
using MaskPair = ipc::SegmentedImage<ipc::SegmentImage>;

constexpr int kSize = 1024;
constexpr int kBlobCount = 300;
constexpr double kBlobRadius = 6.0;
constexpr double kBlobEdge = 0.8;          // width of the soft rim, pixels
constexpr double kMinimumSpacing = 20.0;   // between blob centres, so nuclei never touch
constexpr double kBackground = 400.0;      // mean background level
// Blob peak signal above the background, uniform in [dimmest, dimmest + spread).
// The two-class grey threshold falls near the middle of the occupied levels;
// within this spread every nucleus stays one segment while the noise still
// leaves a few isolated foreground pixels, as in real frames.
constexpr double kDimmestBlob = 2000.0;
constexpr double kBrightnessSpread = 1000.0;
constexpr double kReadNoise = 25.0;        // background noise (sd)
constexpr double kShotNoise = 0.05;        // extra noise sd per unit of signal
constexpr std::uint32_t kSeed = 20240611;
constexpr double kMegapixels = kSize * kSize / 1e6;

const char* const kGreyscaleConfig = "<c><number_of_colors>2</number_of_colors></c>";
const char* const kContactConfig = "<c><sigma>1 1</sigma><minimum_contact_size>10</minimum_contact_size></c>";
// The nucleus chain of examples/cells/track_cells.xml.
const char* const kSmootherConfig = "<c><sigma>1</sigma></c>";
const char* const kBackgroundConfig = "<c><scale>24</scale></c>";
const char* const kThresholdConfig = "<c><method>triangle</method></c>";
const char* const kObjectConfig =
    "<c><relative_threshold>0.3</relative_threshold><fill_holes>true</fill_holes><minimum_size>4</minimum_size>"
    "<seed_distance>6</seed_distance><neck_ratio>0.95</neck_ratio></c>";
const char* const kNucleusContactConfig = "<c><sigma>1 1</sigma><minimum_contact_size>1</minimum_contact_size></c>";

// ostrel-cells' chain for a nucleus diameter of 12 pixels.
const char* const kCellsSmootherConfig = "<c><sigma>1.71</sigma></c>";
const char* const kCellsBackgroundConfig = "<c><scale>30</scale></c>";
const char* const kCellsObjectConfig =
    "<c><relative_threshold>0.3</relative_threshold><fill_holes>true</fill_holes><minimum_size>4</minimum_size>"
    "<seed_distance>7</seed_distance><neck_ratio>0.95</neck_ratio></c>";

xml::Querier element(const std::string& text) { return xml::Querier::parse("\n" + text); }

// Uniform in [0, 1) and standard normal numbers from mt19937, whose output is
// fixed by the C++ standard (unlike the library's distributions), so the frame
// is the same with every compiler.
class Random {
public:
    explicit Random(std::uint32_t seed) : engine_(seed) {}
    double uniform() { return (engine_() >> 8) * (1.0 / 16777216.0); }
    // Box-Muller: z = sqrt(-2 ln u1) cos(2 pi u2).
    double normal() {
        const double u1 = 1.0 - uniform();
        const double u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    }

private:
    std::mt19937 engine_;
};

struct Blob {
    double x, y, brightness;
};

// Centres at least kMinimumSpacing apart and a blob radius plus a margin
// inside the frame, so every nucleus is whole and separate.
std::vector<Blob> place_blobs(Random& random) {
    std::vector<Blob> blobs;
    const double margin = kBlobRadius + 4;
    while (static_cast<int>(blobs.size()) < kBlobCount) {
        const double x = margin + random.uniform() * (kSize - 2 * margin);
        const double y = margin + random.uniform() * (kSize - 2 * margin);
        bool clear = true;
        for (const Blob& b : blobs)
            if (std::hypot(b.x - x, b.y - y) < kMinimumSpacing) clear = false;
        if (clear) blobs.push_back({x, y, kDimmestBlob + kBrightnessSpread * random.uniform()});
    }
    return blobs;
}

// Signal of a nucleus at distance r from its centre: a disc with a soft rim,
// s(r) = b / (1 + exp((r - R) / w)).
double blob_signal(const Blob& blob, double r) {
    return blob.brightness / (1.0 + std::exp((r - kBlobRadius) / kBlobEdge));
}

ShortImage make_frame() {
    Random random(kSeed);
    const std::vector<Blob> blobs = place_blobs(random);
    std::vector<double> signal(static_cast<std::size_t>(kSize) * kSize, 0.0);
    const int reach = static_cast<int>(kBlobRadius + 6 * kBlobEdge) + 1;
    for (const Blob& blob : blobs) {
        const int cx = static_cast<int>(blob.x);
        const int cy = static_cast<int>(blob.y);
        for (int y = cy - reach; y <= cy + reach; ++y)
            for (int x = cx - reach; x <= cx + reach; ++x)
                signal[static_cast<std::size_t>(y) * kSize + x] += blob_signal(blob, std::hypot(x - blob.x, y - blob.y));
    }
    ShortImage image(kSize, kSize);
    for (std::size_t i = 0; i < signal.size(); ++i) {
        // value = background + signal + noise with sd = read + shot * signal
        const double value = kBackground + signal[i] + (kReadNoise + kShotNoise * signal[i]) * random.normal();
        image[i] = static_cast<unsigned short>(std::lround(std::clamp(value, 0.0, 65535.0)));
    }
    return image;
}

// Writes the frame as a 16-bit greyscale LZW TIFF with libtiff itself, so the
// file does not depend on the project's own writer.
void write_lzw_tiff(const std::string& path, const ShortImage& image) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (!tif) throw std::runtime_error("cannot create " + path);
    bool ok = TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<std::uint32_t>(image.width())) &&
              TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<std::uint32_t>(image.height())) &&
              TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 16) && TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1) &&
              TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK) &&
              TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG) &&
              TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_LZW) &&
              TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tif, 0));
    for (int y = 0; ok && y < image.height(); ++y)
        ok = TIFFWriteScanline(tif, const_cast<unsigned short*>(image.row(y)), static_cast<std::uint32_t>(y), 0) == 1;
    TIFFClose(tif);
    if (!ok) throw std::runtime_error("cannot write " + path);
}

// The frame, its file and the intermediate results each stage starts from,
// made once on first use; the folder is removed at exit.
struct Scene {
    std::filesystem::path folder;
    std::string tiff_path;
    std::uintmax_t tiff_bytes = 0;
    std::shared_ptr<ShortImage> image;
    std::shared_ptr<ipc::SegmentImage> mask;     // 0/1 foreground
    std::shared_ptr<ipc::SegmentImage> regions;  // connected regions of the mask
    std::shared_ptr<ShortImage> smoothed;        // the nucleus chain's intermediate images
    std::shared_ptr<ShortImage> corrected;
    std::shared_ptr<ipc::SegmentImage> foreground;
    std::shared_ptr<ipc::SegmentImage> nuclei;

    Scene() {
        folder = std::filesystem::temp_directory_path() / ("ostrel_imaging_bench_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        tiff_path = (folder / "frame.tif").string();
        image = std::make_shared<ShortImage>(make_frame());
        write_lzw_tiff(tiff_path, *image);
        tiff_bytes = std::filesystem::file_size(tiff_path);

        ipc::SegmentedImageGreyscaleSegmentor<ShortImage> greyscale(element(kGreyscaleConfig));
        mask = greyscale.apply(std::make_shared<ShortPair>(image, std::make_shared<ipc::SegmentImage>(kSize, kSize, 0)), 0)
                   ->segmentation;
        ipc::SegmentedImageSpatialSegmentor<ipc::SegmentImage> spatial(element("<c/>"));
        regions = spatial.apply(std::make_shared<MaskPair>(mask, nullptr))->segmentation;

        smoothed = ipc::GaussianSmoother<ShortImage>(element(kSmootherConfig)).apply(image);
        corrected = ipc::BackgroundSubtractor<ShortImage>(element(kBackgroundConfig)).apply(smoothed);
        auto pair = std::make_shared<ShortPair>(corrected, std::make_shared<ipc::SegmentImage>(kSize, kSize, 0));
        ipc::SegmentedImageThresholdSegmentor<ShortImage>(element(kThresholdConfig)).apply(pair);
        foreground = std::make_shared<ipc::SegmentImage>(*pair->segmentation);
        ipc::SegmentedImageObjectSegmentor<ShortImage>(element(kObjectConfig)).apply(pair);
        nuclei = pair->segmentation;
    }
    ~Scene() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
};

const Scene& scene() {
    static const Scene instance;
    return instance;
}

// The end of the chain: counts the contacts of the last frame.
class ContactCounter : public cmpnt::Component {
public:
    void insert_child(cmpnt::ComponentPtr) override {}
    void push_frame(cmpnt::FramePtr frame) override {
        if (frame) contacts = frame::cast<frame::CompositeStateFrame>(frame)->composite_states.size();
    }
    std::size_t contacts = 0;
};

void set_throughput(benchmark::State& state) {
    state.counters["MP/s"] = benchmark::Counter(kMegapixels, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ReadLzwTiff(benchmark::State& state) {
    const Scene& s = scene();
    for (auto _ : state) {
        ShortImage image = ipc::read_short_image_tiff(s.tiff_path);
        benchmark::DoNotOptimize(image.data());
    }
    set_throughput(state);
    state.counters["file_MB"] = static_cast<double>(s.tiff_bytes) / 1e6;
}

void BM_GreyscaleSegmentation(benchmark::State& state) {
    const Scene& s = scene();
    ipc::SegmentedImageGreyscaleSegmentor<ShortImage> segmentor(element(kGreyscaleConfig));
    // The segmentor overwrites the pair's label image in place.
    auto pair = std::make_shared<ShortPair>(s.image, std::make_shared<ipc::SegmentImage>(kSize, kSize, 0));
    for (auto _ : state) benchmark::DoNotOptimize(segmentor.apply(pair, 0).get());
    set_throughput(state);
}

void BM_SpatialSegmentation(benchmark::State& state) {
    const Scene& s = scene();
    ipc::SegmentedImageSpatialSegmentor<ipc::SegmentImage> segmentor(element("<c/>"));
    auto pair = std::make_shared<MaskPair>(s.mask, nullptr);
    int regions = 0;
    for (auto _ : state) regions = segmentor.apply(pair)->segmentation->number_of_segments;
    set_throughput(state);
    state.counters["regions"] = regions;
}

void BM_ContactExtraction(benchmark::State& state) {
    const Scene& s = scene();
    ipc::SegmentedImageToContactFrameConverter<ipc::SegmentImage> converter(element(kContactConfig));
    auto counter = std::make_shared<ContactCounter>();
    converter.insert_child(counter);
    auto pair = std::make_shared<MaskPair>(s.mask, s.regions);
    for (auto _ : state) converter.push_frame(std::make_shared<frame::FrameTemplate<MaskPair>>(0.0, pair));
    set_throughput(state);
    state.counters["contacts"] = static_cast<double>(counter->contacts);
}

// The whole per-frame image work, as the configured chain does it: read,
// pair with an empty segmentation, threshold, take the mask, label its
// regions, extract the contacts.
void BM_TiffToContacts(benchmark::State& state) {
    const Scene& s = scene();
    const xml::Querier none = element("<c/>");
    ipc::SegmentedImageInitializer<ShortImage> initializer(none);
    ipc::SegmentedImageGreyscaleSegmentor<ShortImage> greyscale(element(kGreyscaleConfig));
    ipc::SegmentedImageToSegmentImageConverter<ShortImage> to_mask(none);
    ipc::SegmentedImageInitializer<ipc::SegmentImage> mask_initializer(none);
    ipc::SegmentedImageSpatialSegmentor<ipc::SegmentImage> spatial(none);
    ipc::SegmentedImageToContactFrameConverter<ipc::SegmentImage> converter(element(kContactConfig));
    auto counter = std::make_shared<ContactCounter>();
    converter.insert_child(counter);
    double time = 0;
    for (auto _ : state) {
        auto image = std::make_shared<ShortImage>(ipc::read_short_image_tiff(s.tiff_path));
        auto mask = to_mask.apply(greyscale.apply(initializer.apply(image), time));
        auto regions = spatial.apply(mask_initializer.apply(mask));
        converter.push_frame(std::make_shared<frame::FrameTemplate<MaskPair>>(time, regions));
        time += 1;
    }
    set_throughput(state);
    state.counters["contacts"] = static_cast<double>(counter->contacts);
}

void BM_GaussianSmoothing(benchmark::State& state) {
    const Scene& s = scene();
    ipc::GaussianSmoother<ShortImage> smoother(element(kSmootherConfig));
    for (auto _ : state) benchmark::DoNotOptimize(smoother.apply(s.image).get());
    set_throughput(state);
}

void BM_BackgroundSubtraction(benchmark::State& state) {
    const Scene& s = scene();
    ipc::BackgroundSubtractor<ShortImage> subtractor(element(kBackgroundConfig));
    for (auto _ : state) benchmark::DoNotOptimize(subtractor.apply(s.smoothed).get());
    set_throughput(state);
}

void BM_ThresholdSegmentation(benchmark::State& state) {
    const Scene& s = scene();
    ipc::SegmentedImageThresholdSegmentor<ShortImage> segmentor(element(kThresholdConfig));
    auto pair = std::make_shared<ShortPair>(s.corrected, std::make_shared<ipc::SegmentImage>(kSize, kSize, 0));
    for (auto _ : state) benchmark::DoNotOptimize(segmentor.apply(pair).get());
    set_throughput(state);
}

void BM_ObjectSegmentation(benchmark::State& state) {
    const Scene& s = scene();
    ipc::SegmentedImageObjectSegmentor<ShortImage> segmentor(element(kObjectConfig));
    auto pair = std::make_shared<ShortPair>(s.corrected, std::make_shared<ipc::SegmentImage>(kSize, kSize, 0));
    int nuclei = 0;
    for (auto _ : state) {
        // The segmentor works in place: every round starts from the mask.
        state.PauseTiming();
        *pair->segmentation = *s.foreground;
        state.ResumeTiming();
        nuclei = segmentor.apply(pair)->segmentation->number_of_segments - 1;
    }
    set_throughput(state);
    state.counters["nuclei"] = nuclei;
    // The share of the frame the threshold left as foreground: the
    // segmenter's work grows with it.
    const auto& mask = *s.foreground;
    const auto in_front = std::count_if(mask.data(), mask.data() + mask.size(), [](int v) { return v > 0; });
    state.counters["foreground_%"] = 100.0 * static_cast<double>(in_front) / static_cast<double>(mask.size());
}

void BM_NucleusContacts(benchmark::State& state) {
    const Scene& s = scene();
    ipc::SegmentedImageToContactFrameConverter<ShortImage> converter(element(kNucleusContactConfig));
    auto counter = std::make_shared<ContactCounter>();
    converter.insert_child(counter);
    auto pair = std::make_shared<ShortPair>(s.corrected, s.nuclei);
    for (auto _ : state) converter.push_frame(std::make_shared<frame::FrameTemplate<ShortPair>>(0.0, pair));
    set_throughput(state);
    state.counters["contacts"] = static_cast<double>(counter->contacts);
}

// The whole nucleus chain on one frame: smooth, correct the background,
// threshold, split into nuclei, extract the contacts.
void run_nucleus_chain(benchmark::State& state, const char* smoother_config, const char* background_config,
                       const char* object_config) {
    const Scene& s = scene();
    ipc::GaussianSmoother<ShortImage> smoother(element(smoother_config));
    ipc::BackgroundSubtractor<ShortImage> subtractor(element(background_config));
    ipc::SegmentedImageInitializer<ShortImage> initializer(element("<c/>"));
    ipc::SegmentedImageThresholdSegmentor<ShortImage> threshold(element(kThresholdConfig));
    ipc::SegmentedImageObjectSegmentor<ShortImage> objects(element(object_config));
    ipc::SegmentedImageToContactFrameConverter<ShortImage> converter(element(kNucleusContactConfig));
    auto counter = std::make_shared<ContactCounter>();
    converter.insert_child(counter);
    double time = 0;
    for (auto _ : state) {
        auto pair = objects.apply(threshold.apply(initializer.apply(subtractor.apply(smoother.apply(s.image)))));
        converter.push_frame(std::make_shared<frame::FrameTemplate<ShortPair>>(time, pair));
        time += 1;
    }
    set_throughput(state);
    state.counters["contacts"] = static_cast<double>(counter->contacts);
}

void BM_NucleusChain(benchmark::State& state) {
    run_nucleus_chain(state, kSmootherConfig, kBackgroundConfig, kObjectConfig);
}

void BM_NucleusChainCells(benchmark::State& state) {
    run_nucleus_chain(state, kCellsSmootherConfig, kCellsBackgroundConfig, kCellsObjectConfig);
}

BENCHMARK(BM_ReadLzwTiff)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GreyscaleSegmentation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpatialSegmentation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ContactExtraction)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TiffToContacts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GaussianSmoothing)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BackgroundSubtraction)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThresholdSegmentation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ObjectSegmentation)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NucleusContacts)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NucleusChain)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NucleusChainCells)->Unit(benchmark::kMillisecond);

}  // namespace

// The scene is made before any timing starts, and a failure to make it (no
// temporary folder, a libtiff error) ends the run with its message.
int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    try {
        scene();
    } catch (const std::exception& error) {
        std::cerr << "imaging_bench: cannot prepare the test frame: " << error.what() << "\n";
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
