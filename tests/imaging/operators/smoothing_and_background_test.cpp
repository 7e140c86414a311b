#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <string>
#include <utility>

#include "imaging/algorithm_component.h"
#include "imaging/operators/background_subtractor.h"
#include "imaging/operators/gaussian_kernel.h"
#include "imaging/operators/gaussian_smoother.h"
#include "imaging/synthetic/nucleus_renderer.h"
#include "operator_test_support.h"

namespace {

using namespace ipc;
using operator_test::element;
using ShortImage = Image<unsigned short>;
using ShortStack = Image3d<unsigned short>;

std::shared_ptr<ShortImage> shared(ShortImage image) { return std::make_shared<ShortImage>(std::move(image)); }

TEST(GaussianSmootherTest, KeepsConstantsAndTotalsAndSpreadsAsTheKernelSays) {
    GaussianSmoother<ShortImage> smoother(element("<c><sigma>1.5</sigma></c>"));
    // A constant image stays constant, borders included.
    EXPECT_EQ(*smoother.apply(shared(ShortImage(9, 7, 500))), ShortImage(9, 7, 500));

    // An impulse spreads into the kernel's outer product: symmetric, its
    // total kept, the centre weight w0^2.
    ShortImage impulse(21, 21, 0);
    impulse(10, 10) = 60000;
    const ShortImage out = *smoother.apply(shared(impulse));
    const double total = std::accumulate(out.begin(), out.end(), 0.0);
    EXPECT_NEAR(total, 60000, 60);
    const std::vector<float> w = gaussian_half_kernel(1.5);
    EXPECT_NEAR(out(10, 10), 60000 * w[0] * w[0], 1);
    EXPECT_NEAR(out(13, 10), 60000 * w[3] * w[0], 1);
    EXPECT_EQ(out(7, 10), out(13, 10));
    EXPECT_EQ(out(10, 7), out(10, 13));

    // Sigma 0 copies.
    GaussianSmoother<ShortImage> none(element("<c><sigma>0</sigma></c>"));
    EXPECT_EQ(*none.apply(shared(impulse)), impulse);
}

TEST(GaussianSmootherTest, StacksSmoothAcrossSlicesWithTheirOwnSigma) {
    auto stack = std::make_shared<ShortStack>(5, 5, 5);
    (*stack)(2, 2, 2) = 10000;
    GaussianSmoother<ShortStack> flat(element("<c><sigma>1</sigma><sigma_z>0</sigma_z></c>"));
    const auto in_plane = flat.apply(stack);
    EXPECT_GT((*in_plane)(2, 3, 2), 0);
    EXPECT_EQ((*in_plane)(2, 2, 3), 0);  // nothing crosses slices
    GaussianSmoother<ShortStack> round(element("<c><sigma>1</sigma></c>"));
    const auto out = round.apply(stack);
    EXPECT_EQ((*out)(2, 2, 3), (*out)(2, 3, 2));  // sigma_z defaults to sigma
    EXPECT_EQ((*out)(2, 2, 1), (*out)(2, 2, 3));
}

// An output image is reused for later frames only once nothing holds it:
// a frame kept downstream keeps its pixels.
TEST(GaussianSmootherTest, FramesKeptDownstreamAreNeverOverwritten) {
    AlgorithmComponent<GaussianSmoother<ShortImage>> component(element("<c><sigma>1</sigma></c>"));
    auto collector = std::make_shared<ipc_test::FrameCollector>();
    component.insert_child(collector);
    using Frame = frame::FrameTemplate<ShortImage>;
    component.push_frame(std::make_shared<Frame>(0.0, shared(ShortImage(4, 4, 100))));
    component.push_frame(std::make_shared<Frame>(1.0, shared(ShortImage(4, 4, 200))));
    ASSERT_EQ(collector->frames.size(), 2u);
    EXPECT_EQ(*frame::cast<Frame>(collector->frames[0])->payload, ShortImage(4, 4, 100));
    EXPECT_EQ(*frame::cast<Frame>(collector->frames[1])->payload, ShortImage(4, 4, 200));
}

// A ramp and a broad bright patch under noise, with nuclei.
ShortImage uneven_field(double noise_level, std::vector<synth::Nucleus> nuclei) {
    synth::FluorescenceStyle style;
    style.background = 500;
    style.uneven = 800;
    style.noise = noise_level;
    synth::SeededRandom noise(3);
    return synth::render_fluorescence(nuclei, 256, 256, style, noise);
}

// The lowest and highest mean of 8 x 8 squares away from the nuclei and
// their soft rims, and the mean of all of them.
struct Levels {
    double lowest = 1e9, highest = 0, mean = 0;
};
Levels background_levels(const ShortImage& image, const std::vector<synth::Nucleus>& nuclei) {
    std::vector<synth::Nucleus> rims = nuclei;
    for (auto& n : rims) n.radius += 4;
    const auto mask = synth::render_label_mask(rims, image.width(), image.height());
    Levels levels;
    int squares = 0;
    for (int y = 0; y + 8 <= image.height(); y += 8)
        for (int x = 0; x + 8 <= image.width(); x += 8) {
            double sum = 0;
            int count = 0;
            for (int j = y; j < y + 8; ++j)
                for (int i = x; i < x + 8; ++i)
                    if (mask(i, j) == 0) sum += image(i, j), ++count;
            if (count < 40) continue;
            levels.lowest = std::min(levels.lowest, sum / count);
            levels.highest = std::max(levels.highest, sum / count);
            levels.mean += sum / count, ++squares;
        }
    levels.mean /= squares;
    return levels;
}

TEST(BackgroundSubtractorTest, FlattensUnevenIlluminationAndKeepsTheNuclei) {
    std::vector<synth::Nucleus> nuclei;
    for (int k = 0; k < 64; ++k) nuclei.push_back(synth::Nucleus{k + 1, 13.0 + (k % 8) * 32, 17.0 + (k / 8) * 32, 5, 800});
    BackgroundSubtractor<ShortImage> subtractor(element("<c><scale>24</scale></c>"));
    const ShortImage in = uneven_field(20, nuclei);
    const ShortImage out = *subtractor.apply(shared(in));
    // Most of the unevenness goes (what stays is mostly at the border,
    // beyond the outermost square centres); the background sits near three
    // times the noise (measured a little high: the ramp and the nuclei's
    // edges add to the differences it comes from), and the nuclei stand 800
    // above it.
    const Levels before = background_levels(in, nuclei), after = background_levels(out, nuclei);
    EXPECT_GT(before.highest - before.lowest, 500);
    EXPECT_LT(after.highest - after.lowest, 0.15 * (before.highest - before.lowest));
    EXPECT_NEAR(after.mean, 60, 25);
    EXPECT_NEAR(subtractor.pedestal(), 70, 20);
    for (const auto& n : nuclei) EXPECT_NEAR(out(int(n.x), int(n.y)) - after.mean, 800, 60);
}

TEST(BackgroundSubtractorTest, NoiselessFlatImagesComeOutAtZeroAndStacksSliceBySlice) {
    BackgroundSubtractor<ShortImage> subtractor(element("<c><scale>10</scale></c>"));
    EXPECT_EQ(*subtractor.apply(shared(ShortImage(33, 17, 700))), ShortImage(33, 17, 0));
    EXPECT_EQ(*subtractor.apply(shared(ShortImage(1, 1, 5))), ShortImage(1, 1, 0));

    BackgroundSubtractor<ShortStack> stacks(element("<c><scale>10</scale></c>"));
    auto stack = std::make_shared<ShortStack>(20, 20, 2);
    stack->slice(0).fill(100);
    stack->slice(1).fill(900);
    (*stack)(5, 5, 1) = 1900;
    const auto out = stacks.apply(stack);
    EXPECT_EQ((*out)(0, 0, 0), 0);
    EXPECT_EQ((*out)(0, 0, 1), 0);
    EXPECT_NEAR((*out)(5, 5, 1), 1000, 5);
}

TEST(SmoothingAndBackgroundTest, BadParametersNameThemselves) {
    EXPECT_THROW_CONTAINING(GaussianSmoother<ShortImage>(element("<g><sigma>-1</sigma></g>")), "invalid sigma = -1 in g");
    EXPECT_THROW_CONTAINING(GaussianSmoother<ShortStack>(element("<g><sigma>1</sigma><sigma_z>200</sigma_z></g>")),
                            "invalid sigma_z = 200 in g");
    EXPECT_THROW_CONTAINING(BackgroundSubtractor<ShortImage>(element("<b><scale>2</scale></b>")),
                            "invalid scale = 2 in b");
}

}  // namespace

// The smoother against the plain definition on small random images: each
// pixel x-smoothed with its row continued by its end values, then the
// columns likewise, every sum w0 v0 + w1 (v-1 + v1) + ... in single
// precision, rounded as v + 0.5 truncated. Radii up to 8 and beyond (the
// kernels the smoother unrolls and the others) must agree to the last bit.
TEST(GaussianSmootherTest, AgreesExactlyWithThePlainSeparableSumOnRandomImages) {
    std::mt19937 random(17);
    for (const double sigma : {0.5, 1.0, 1.71, 2.7, 3.4}) {
        for (const auto& size : {std::pair{1, 1}, std::pair{7, 3}, std::pair{23, 31}}) {
            const int width = size.first, height = size.second;  // captured below, so not a binding
            ShortImage in(width, height);
            for (unsigned short& v : in) v = static_cast<unsigned short>(random() % 65536);
            const std::vector<float> w = gaussian_half_kernel(sigma);
            const int radius = static_cast<int>(w.size()) - 1;
            auto sum_line = [&](auto value_at, int n, int i) {
                float sum = w[0] * value_at(i);
                for (int k = 1; k <= radius; ++k)
                    sum += w[k] * (value_at(std::clamp(i - k, 0, n - 1)) + value_at(std::clamp(i + k, 0, n - 1)));
                return sum;
            };
            std::vector<float> rows(in.size());
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x)
                    rows[y * width + x] = sum_line([&](int i) { return static_cast<float>(in(i, y)); }, width, x);
            GaussianSmoother<ShortImage> smoother(element("<c><sigma>" + std::to_string(sigma) + "</sigma></c>"));
            const ShortImage out = *smoother.apply(shared(in));
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const float v = sum_line([&](int i) { return rows[i * width + x]; }, height, y);
                    ASSERT_EQ(out(x, y), static_cast<unsigned short>(std::min(v + 0.5f, 65535.0f)))
                        << "sigma " << sigma << " at " << x << ", " << y;
                }
        }
    }
}

// Pixels that the subtraction would lift beyond 65535 (saturated ones on a
// dim background, with the pedestal added) stay at the top of the range
// instead of wrapping round to dark values.
TEST(BackgroundSubtractorTest, SaturatedPixelsStayBright) {
    std::mt19937 random(5);
    ShortImage in(64, 64);
    for (unsigned short& v : in) v = static_cast<unsigned short>(random() % 40);  // dimmer than the pedestal
    for (int y = 20; y < 26; ++y)
        for (int x = 30; x < 36; ++x) in(x, y) = 65535;
    BackgroundSubtractor<ShortImage> subtractor(element("<c><scale>16</scale></c>"));
    const ShortImage out = *subtractor.apply(shared(in));
    ASSERT_GT(subtractor.pedestal(), 5.0f);
    for (int y = 20; y < 26; ++y)
        for (int x = 30; x < 36; ++x) EXPECT_EQ(out(x, y), 65535) << x << ", " << y;
}
