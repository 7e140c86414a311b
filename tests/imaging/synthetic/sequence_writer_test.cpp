#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "imaging/grey_level_clustering.h"
#include "imaging/connected_regions.h"
#include "imaging/synthetic/ground_truth_writer.h"
#include "imaging/synthetic/sequence_writer.h"
#include "imaging/tiff_readers.h"
#include "support/expect_message.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

using namespace synth;
namespace fs = std::filesystem;

SequenceParameters lively(std::uint64_t seed) {
    SequenceParameters p;
    p.seed = seed;
    p.width = 128;
    p.height = 96;
    p.cells = 12;
    p.frames = 12;
    p.speed = 2.5;
    p.division_rate = 0.1;
    p.entry_rate = 0.5;
    return p;
}

// Every file below folder, by relative path, with its bytes.
std::map<std::string, std::string> contents(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files[fs::relative(entry.path(), folder).string()] = test_support::slurp(entry.path().string());
    return files;
}

std::vector<TrackRecord> read_track_table(const std::string& name) {
    std::ifstream in(name);
    std::vector<TrackRecord> tracks;
    TrackRecord t;
    while (in >> t.label >> t.begin >> t.end >> t.parent) tracks.push_back(t);
    return tracks;
}

TEST(SequenceWriterTest, TheSameSeedWritesTheSameBytes) {
    test_support::TempDir dir("synth_same_seed");
    write_sequence(lively(4), (dir.path() / "a").string(), false);
    write_sequence(lively(4), (dir.path() / "b").string(), false);
    write_sequence(lively(5), (dir.path() / "c").string(), false);
    const auto a = contents(dir.path() / "a");
    ASSERT_EQ(a.size(), 12u + 12u + 1u);
    EXPECT_TRUE(a == contents(dir.path() / "b"));
    const auto c = contents(dir.path() / "c");
    EXPECT_NE(a.at("images/t000.tif"), c.at("images/t000.tif"));
    EXPECT_NE(a.at("truth/man_track.txt"), c.at("truth/man_track.txt"));
}

TEST(SequenceWriterTest, MasksReadBackAgreeWithTheLineageFile) {
    test_support::TempDir dir("synth_masks");
    const CellSequence sequence = write_sequence(lively(8), dir.str(), false);
    const std::string truth = (dir.path() / "truth").string();
    const std::vector<TrackRecord> tracks = read_track_table(truth + "/man_track.txt");
    ASSERT_EQ(tracks.size(), sequence.tracks.size());
    EXPECT_EQ(test_support::slurp(truth + "/man_track.txt"), track_table(sequence.tracks));
    ASSERT_GT(count_events(sequence).divisions, 0);

    std::map<int, TrackRecord> by_label;
    for (const TrackRecord& t : tracks) by_label[t.label] = t;
    for (int f = 0; f < 12; ++f) {
        const auto mask = ipc::read_short_image_tiff(frame_file_name(truth + "/man_track", f));
        ASSERT_EQ(mask.width(), 128);
        ASSERT_EQ(mask.height(), 96);
        std::set<int> present(mask.begin(), mask.end());
        present.erase(0);
        for (int label : present) ASSERT_EQ(by_label.count(label), 1u) << "unknown label " << label;
        for (const TrackRecord& t : tracks)
            EXPECT_EQ(present.count(t.label) == 1, t.begin <= f && f <= t.end) << "label " << t.label << " frame " << f;
    }
    std::map<int, int> daughters;
    for (const TrackRecord& t : tracks)
        if (t.parent != 0) {
            ASSERT_EQ(by_label.count(t.parent), 1u);
            EXPECT_EQ(t.begin, by_label[t.parent].end + 1) << "daughter " << t.label;
            ++daughters[t.parent];
        }
    for (const auto& [mother, count] : daughters) EXPECT_EQ(count, 2) << "mother " << mother;
}

// What the cell-tracking chain relies on: after the greyscale two-class
// threshold, no foreground region touches two nuclei, and every nucleus of
// reasonable visible size is one region.
TEST(SequenceWriterTest, ATwoClassThresholdSeparatesEveryNucleus) {
    for (std::uint64_t seed : {1u, 9u}) {
        test_support::TempDir dir("synth_threshold");
        SequenceParameters p = lively(seed);
        p.width = p.height = 256;
        p.cells = 30;
        write_sequence(p, dir.str(), false);
        for (int f = 0; f < p.frames; f += 3) {
            const auto image = ipc::read_short_image_tiff(frame_file_name(dir.str() + "/images/t", f));
            const auto mask = ipc::read_short_image_tiff(frame_file_name(dir.str() + "/truth/man_track", f));
            ipc::GreyHistogram histogram;
            histogram.add(image.begin(), image.end());
            const unsigned short threshold = ipc::grey_threshold(histogram.occupied(), 2);
            ipc::Image<bool> foreground(image.width(), image.height());
            for (std::size_t i = 0; i < image.size(); ++i) foreground[i] = image[i] > threshold;
            ipc::Image<int> regions;
            ipc::LabelEquivalences table;
            ipc::label_regions(foreground, ipc::Equal<bool>(), regions, table);

            std::map<int, std::set<int>> labels_of_region;  // foreground regions only
            std::map<int, std::set<int>> regions_of_label;
            std::map<int, int> area;
            for (std::size_t i = 0; i < image.size(); ++i) {
                if (mask[i]) ++area[mask[i]];
                if (!foreground[i]) continue;
                labels_of_region[regions[i]].insert(mask[i]);
                if (mask[i]) regions_of_label[mask[i]].insert(regions[i]);
            }
            for (auto& [region, labels] : labels_of_region) {
                labels.erase(0);
                EXPECT_LE(labels.size(), 1u) << "seed " << seed << " frame " << f << " region " << region;
            }
            for (const auto& [label, pixels] : area)
                if (pixels >= 20) {
                    EXPECT_EQ(regions_of_label[label].size(), 1u)
                        << "seed " << seed << " frame " << f << " label " << label;
                }
        }
    }
}

TEST(SequenceWriterTest, ANonEmptyOutputFolderIsRefusedUnlessForced) {
    test_support::TempDir dir("synth_force");
    SequenceParameters p = lively(2);
    write_sequence(p, dir.str(), false);
    std::ofstream(dir.str() + "/images/notes.txt") << "kept";

    EXPECT_MESSAGE(write_sequence(p, dir.str(), false),
                   "output folder is not empty: " + (dir.path() / "images").string() + " (use --force to overwrite)");
    EXPECT_TRUE(fs::exists(dir.path() / "images" / "t011.tif"));

    // A shorter forced run leaves no stale frame behind but keeps foreign files.
    p.frames = 5;
    write_sequence(p, dir.str(), true);
    EXPECT_TRUE(fs::exists(dir.path() / "images" / "t004.tif"));
    EXPECT_FALSE(fs::exists(dir.path() / "images" / "t005.tif"));
    EXPECT_FALSE(fs::exists(dir.path() / "truth" / "man_track005.tif"));
    EXPECT_TRUE(fs::exists(dir.path() / "images" / "notes.txt"));
    EXPECT_EQ(contents(dir.path()).size(), 5u + 5u + 1u + 1u);
}

TEST(SequenceWriterTest, AnOutputPathThatIsAFileIsRefused) {
    test_support::TempDir dir("synth_file");
    fs::create_directories(dir.path() / "out");
    std::ofstream((dir.path() / "out" / "images").string()) << "x";
    EXPECT_MESSAGE(write_sequence(lively(1), (dir.path() / "out").string(), true),
                   "output path is not a folder: " + (dir.path() / "out" / "images").string());
}

}  // namespace
