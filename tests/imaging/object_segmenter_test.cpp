#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <random>
#include <set>

#include "imaging/object_segmenter.h"
#include "imaging/object_segmentors.h"
#include "imaging_test_support.h"

namespace {

using namespace ipc;
using ipc_test::element;

// A w x h x d volume whose voxel is foreground where inside(x, y, z).
struct Volume {
    int width, height, depth;
    std::vector<int> labels;
    Volume(int w, int h, int d, const std::function<bool(double, double, double)>& inside)
        : width(w), height(h), depth(d), labels(static_cast<std::size_t>(w) * h * d) {
        for (int z = 0; z < d; ++z)
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) labels[(static_cast<std::size_t>(z) * h + y) * w + x] = inside(x, y, z);
    }
    int at(int x, int y, int z = 0) const { return labels[(static_cast<std::size_t>(z) * height + y) * width + x]; }
    int segment(const ObjectSegmentationParameters& p, const unsigned short* intensity = nullptr) {
        return ObjectSegmenter(p).segment(labels.data(), width, height, depth, intensity);
    }
};

ObjectSegmentationParameters splitting(double seed_distance = 5, double neck_ratio = 0.7) {
    ObjectSegmentationParameters p;
    p.seed_distance = seed_distance;
    p.neck_ratio = neck_ratio;
    return p;
}

double distance(double x, double y, double z, double cx, double cy, double cz) {
    return std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy) + (z - cz) * (z - cz));
}

// Two discs of radius 6 whose centres lie `apart` pixels apart.
Volume two_discs(double apart) {
    return Volume(40, 24, 1, [apart](double x, double y, double) {
        return distance(x, y, 0, 12, 12, 0) <= 6 || distance(x, y, 0, 12 + apart, 12, 0) <= 6;
    });
}

TEST(ObjectSegmenterTest, TouchingDiscsSplitAtTheirWaistOneEllipseDoesNot) {
    Volume pair = two_discs(11);  // overlapping by 1
    ASSERT_EQ(pair.segment(splitting()), 2);
    EXPECT_EQ(pair.at(12, 12), 1);
    EXPECT_EQ(pair.at(23, 12), 2);
    EXPECT_EQ(pair.at(0, 0), 0);

    // An ellipse 3:1 of the same length: a level ridge of distances, one
    // nucleus, even with a strict neck ratio.
    Volume ellipse(40, 24, 1, [](double x, double y, double) {
        return std::pow((x - 17.5) / 11.5, 2) + std::pow((y - 12) / 3.8, 2) <= 1;
    });
    EXPECT_EQ(ellipse.segment(splitting(5, 0.9)), 1);

    // No seed distance: no splitting.
    EXPECT_EQ(two_discs(11).segment(ObjectSegmentationParameters{}), 1);
}

TEST(ObjectSegmenterTest, SizeAndSeedDistanceDecideWideWaists) {
    // Centres 9 apart: a waist too wide for the neck ratio.
    EXPECT_EQ(two_discs(9).segment(splitting(5, 0.7)), 1);
    // But together they are larger than one nucleus may be.
    ObjectSegmentationParameters capped = splitting(5, 0.7);
    capped.maximum_size = 150;
    EXPECT_EQ(two_discs(9).segment(capped), 2);
    // Seeds closer than the seed distance are one seed.
    EXPECT_EQ(two_discs(9).segment(splitting(10, 0.99)), 1);
}

TEST(ObjectSegmenterTest, HolesFillSpecksGoAndObjectsAreNumberedInScanOrder) {
    // A ring (hole in the middle), a ring cut open to the border, a speck.
    Volume v(30, 14, 1, [](double x, double y, double) {
        const double ring = distance(x, y, 0, 7, 7, 0);
        const double open = distance(x, y, 0, 24, 7, 0);
        return (ring >= 2.5 && ring <= 5.5) || (open >= 2.5 && open <= 5.5 && x < 26) || (x == 14 && y == 13);
    });
    ObjectSegmentationParameters p;
    p.minimum_size = 2;
    ASSERT_EQ(v.segment(p), 2);
    EXPECT_EQ(v.at(7, 7), 1);   // the hole is filled
    EXPECT_EQ(v.at(24, 7), 0);  // reaches the outside: not a hole
    EXPECT_EQ(v.at(14, 13), 0); // the speck is gone
    EXPECT_EQ(v.at(24, 2), 2);

    ObjectSegmentationParameters keep_holes;
    keep_holes.fill_holes = false;
    Volume ring(14, 14, 1, [](double x, double y, double) {
        const double r = distance(x, y, 0, 7, 7, 0);
        return r >= 2.5 && r <= 5.5;
    });
    EXPECT_EQ(ring.segment(keep_holes), 1);
    EXPECT_EQ(ring.at(7, 7), 0);
}

TEST(ObjectSegmenterTest, EachBrightPeakKeepsItsOwnOutline) {
    // A bright and a dim blob joined by a faint rim, all above the
    // threshold: the relative threshold gives each its outline at 40% of
    // its own peak and drops the rim.
    const int w = 30, h = 12;
    std::vector<unsigned short> intensity(w * h, 0);
    auto blob = [](double x, double y, double cx, double peak) { return peak * std::exp(-((x - cx) * (x - cx) + (y - 6) * (y - 6)) / 8); };
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            intensity[y * w + x] = static_cast<unsigned short>(20 + blob(x, y, 7, 2000) + blob(x, y, 22, 300));
    Volume v(w, h, 1, [](double, double, double) { return true; });  // the whole image above threshold
    ObjectSegmentationParameters p;
    p.relative_threshold = 0.4;
    ASSERT_EQ(v.segment(p, intensity.data()), 2);
    EXPECT_EQ(v.at(7, 6), 1);
    EXPECT_EQ(v.at(22, 6), 2);
    EXPECT_EQ(v.at(0, 0), 0);
    EXPECT_EQ(v.at(15, 6), 0);  // the rim between them
    // The dim one's outline is its own: about 2 pixels out, like the bright one's.
    EXPECT_EQ(v.at(24, 6), 2);
    EXPECT_EQ(v.at(26, 6), 0);
    EXPECT_EQ(v.at(9, 6), 1);
    EXPECT_EQ(v.at(11, 6), 0);
}

TEST(ObjectSegmenterTest, StacksSplitTouchingBallsAndFillCavities) {
    Volume balls(30, 16, 16, [](double x, double y, double z) {
        return distance(x, y, z, 9, 8, 8) <= 5.5 || distance(x, y, z, 19, 8, 8) <= 5.5;
    });
    ASSERT_EQ(balls.segment(splitting(5, 0.7)), 2);
    EXPECT_EQ(balls.at(9, 8, 8), 1);
    EXPECT_EQ(balls.at(19, 8, 8), 2);

    // A hollow ball: its cavity is a hole in 3-D (each slice through it
    // shows a ring closed in x-y, and the cavity is closed above and below).
    Volume hollow(16, 16, 16, [](double x, double y, double z) {
        const double r = distance(x, y, z, 8, 8, 8);
        return r >= 2.5 && r <= 6;
    });
    ASSERT_EQ(hollow.segment(ObjectSegmentationParameters{}), 1);
    EXPECT_EQ(hollow.at(8, 8, 8), 1);
    // A tube open at both ends is not filled.
    Volume tube(16, 16, 10, [](double x, double y, double) {
        const double r = distance(x, y, 0, 8, 8, 0);
        return r >= 2.5 && r <= 6;
    });
    ASSERT_EQ(tube.segment(ObjectSegmentationParameters{}), 1);
    EXPECT_EQ(tube.at(8, 8, 5), 0);
}

TEST(ObjectSegmentorTest, ComponentsCheckTheirInputAndParameters) {
    using Segmentor = SegmentedImageObjectSegmentor<Image<unsigned short>>;
    auto image = std::make_shared<Image<unsigned short>>(3, 1, 0);
    auto labels = std::make_shared<SegmentImage>(ipc_test::image_from_rows<int>({{1, -4, 1}}));
    Segmentor segmentor(element("<o/>"));
    EXPECT_THROW_CONTAINING(segmentor.apply(std::make_shared<SegmentedImage<Image<unsigned short>>>(image, labels)),
                            "negative segment label in object segmentation, label = -4");
    auto wrong = std::make_shared<SegmentImage>(2, 1, 0);
    EXPECT_THROW_CONTAINING(segmentor.apply(std::make_shared<SegmentedImage<Image<unsigned short>>>(image, wrong)),
                            "segmentation size differs from image size");

    EXPECT_THROW_CONTAINING(Segmentor(element("<o><fill_holes>yes</fill_holes></o>")),
                            "invalid fill_holes = yes in o (expected true or false)");
    EXPECT_THROW_CONTAINING(Segmentor(element("<o><neck_ratio>0</neck_ratio></o>")), "invalid neck_ratio = 0 in o");
    EXPECT_THROW_CONTAINING(Segmentor(element("<o><minimum_size>-3</minimum_size></o>")), "invalid minimum_size = -3");
    EXPECT_THROW_CONTAINING(Segmentor(element("<o><relative_threshold>2</relative_threshold></o>")),
                            "invalid relative_threshold = 2");
}

}  // namespace

// Hole filling against its plain definition on small random masks: objects
// are the face-connected regions in scan order; the cells of an object's
// box (one cell larger on every side) that the outside cannot reach from the
// box's border without crossing the object join it, enclosed regions
// included, and are never objects of their own.
std::vector<int> filled_objects(const std::vector<int>& mask, int w, int h, int d) {
    std::vector<int> out(mask.size(), 0);
    auto index = [&](int x, int y, int z) { return (static_cast<std::size_t>(z) * h + y) * w + x; };
    const int steps[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    int objects = 0;
    for (int z = 0; z < d; ++z)
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                if (!mask[index(x, y, z)] || out[index(x, y, z)]) continue;
                const int id = ++objects;
                std::vector<std::array<int, 3>> region{{x, y, z}};
                out[index(x, y, z)] = id;
                for (std::size_t k = 0; k < region.size(); ++k)
                    for (const auto& s : steps) {
                        const int nx = region[k][0] + s[0], ny = region[k][1] + s[1], nz = region[k][2] + s[2];
                        if (nx < 0 || ny < 0 || nz < 0 || nx >= w || ny >= h || nz >= d) continue;
                        if (!mask[index(nx, ny, nz)] || out[index(nx, ny, nz)]) continue;
                        out[index(nx, ny, nz)] = id;
                        region.push_back({nx, ny, nz});
                    }
                int lo[3] = {w, h, d}, hi[3] = {-1, -1, -1};
                for (const auto& p : region)
                    for (int a = 0; a < 3; ++a) lo[a] = std::min(lo[a], p[a] - 1), hi[a] = std::max(hi[a], p[a] + 1);
                if (d == 1) lo[2] = hi[2] = 0;
                // Flood the box's cells that are not the object from its border.
                auto in_box = [&](int px, int py, int pz) {
                    return px >= lo[0] && px <= hi[0] && py >= lo[1] && py <= hi[1] && pz >= lo[2] && pz <= hi[2];
                };
                auto is_object = [&](int px, int py, int pz) {
                    return px >= 0 && py >= 0 && pz >= 0 && px < w && py < h && pz < d && out[index(px, py, pz)] == id;
                };
                std::set<std::array<int, 3>> outside;
                std::vector<std::array<int, 3>> stack;
                for (int pz = lo[2]; pz <= hi[2]; ++pz)
                    for (int py = lo[1]; py <= hi[1]; ++py)
                        for (int px = lo[0]; px <= hi[0]; ++px) {
                            const bool border = px == lo[0] || px == hi[0] || py == lo[1] || py == hi[1] ||
                                                (d > 1 && (pz == lo[2] || pz == hi[2]));
                            if (border && outside.insert({px, py, pz}).second) stack.push_back({px, py, pz});
                        }
                while (!stack.empty()) {
                    const auto p = stack.back();
                    stack.pop_back();
                    for (const auto& s : steps) {
                        const std::array<int, 3> n{p[0] + s[0], p[1] + s[1], p[2] + s[2]};
                        if (!in_box(n[0], n[1], n[2]) || is_object(n[0], n[1], n[2])) continue;
                        if (outside.insert(n).second) stack.push_back(n);
                    }
                }
                for (int pz = lo[2]; pz <= hi[2]; ++pz)
                    for (int py = lo[1]; py <= hi[1]; ++py)
                        for (int px = lo[0]; px <= hi[0]; ++px)
                            if (!is_object(px, py, pz) && !outside.count({px, py, pz})) out[index(px, py, pz)] = id;
            }
    return out;
}

TEST(ObjectSegmenterTest, FilledHolesMatchThePlainDefinitionOnRandomMasks) {
    std::mt19937 random(11);
    ObjectSegmentationParameters p;  // no threshold, size limit or split: regions and their holes only
    p.fill_holes = true;
    for (int round = 0; round < 60; ++round) {
        const int d = round % 3 == 0 ? 2 + static_cast<int>(random() % 4) : 1;
        const int w = 1 + static_cast<int>(random() % 20), h = 1 + static_cast<int>(random() % 20);
        const unsigned density = 45 + random() % 30;  // per cent foreground: rings and holes abound
        std::vector<int> mask(static_cast<std::size_t>(w) * h * d);
        for (int& v : mask) v = random() % 100 < density ? 1 : 0;
        std::vector<int> labels = mask;
        ObjectSegmenter(p).segment(labels.data(), w, h, d);
        ASSERT_EQ(labels, filled_objects(mask, w, h, d)) << "round " << round << ": " << w << " x " << h << " x " << d;
    }
}
