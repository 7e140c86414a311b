#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>

#include "evaluation/eval_command_line.h"
#include "imaging/tiff_page_writer.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

// Mask pixels: one string per row of each slice, '.' background, a digit a label.
using Slices = std::vector<std::vector<std::string>>;

void write_mask(const fs::path& path, const Slices& slices) {
    const int height = static_cast<int>(slices[0].size()), width = static_cast<int>(slices[0][0].size());
    ipc::Image3d<unsigned short> mask(width, height, static_cast<int>(slices.size()));
    for (std::size_t z = 0; z < slices.size(); ++z)
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const char c = slices[z][static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
                mask(x, y, static_cast<int>(z)) = c == '.' ? 0 : static_cast<unsigned short>(c - '0');
            }
    if (slices.size() == 1)
        ipc::write_greyscale_tiff(path.string(), mask.slice(0));
    else
        ipc::write_greyscale_tiff_stack(path.string(), mask);
}

std::string frame_name(const std::string& prefix, int frame) {
    std::string digits = std::to_string(frame);
    return prefix + std::string(3 - digits.size(), '0') + digits + ".tif";
}

// A ground-truth folder (TRA/) and a result folder.
struct Sequence {
    test_support::TempDir dir{"eval"};
    fs::path truth = dir.path() / "GT";
    fs::path result = dir.path() / "RES";

    Sequence() {
        fs::create_directories(truth / "TRA");
        fs::create_directories(result);
    }
    void set_truth(const std::vector<Slices>& frames, const std::string& lineage) {
        for (std::size_t f = 0; f < frames.size(); ++f)
            write_mask(truth / "TRA" / frame_name("man_track", static_cast<int>(f)), frames[f]);
        std::ofstream(truth / "TRA" / "man_track.txt") << lineage;
    }
    void set_result(const std::vector<Slices>& frames, const std::string& lineage) {
        for (std::size_t f = 0; f < frames.size(); ++f)
            write_mask(result / frame_name("mask", static_cast<int>(f)), frames[f]);
        std::ofstream(result / "res_track.txt") << lineage;
    }

    int run(std::string& out, std::string& err) const { return run({truth.string(), result.string()}, out, err); }
    static int run(const std::vector<std::string>& args, std::string& out, std::string& err) {
        std::ostringstream o, e;
        const int status = ctc::run_eval(args, o, e);
        out = o.str();
        err = e.str();
        return status;
    }
};

// Two cells over three frames (2-D).
const std::vector<Slices> two_cells = {{{"11.22."}}, {{"11.22."}}, {{"11.22."}}};
const char* two_tracks = "1 0 2 0\n2 0 2 0\n";

TEST(EvalCommandLineTest, PrintsEveryMeasureWithSixDecimalsInOrder) {
    Sequence s;
    s.set_truth(two_cells, two_tracks);
    // Cell 1 changes label in frame 2: TRA 1 - 1.5 / 66.
    s.set_result({{{"11.22."}}, {{"11.22."}}, {{"33.22."}}}, "1 0 1 0\n2 0 2 0\n3 2 2 0\n");
    std::string out, err;
    ASSERT_EQ(s.run(out, err), 0) << err;
    EXPECT_EQ(out,
              "DET 1.000000\nTRA 0.977273\nLNK 0.750000\nBC(0) nan\nBC(1) nan\nBC(2) nan\nBC(3) nan\n"
              "CT 0.400000\nTF 0.833333\nCCA nan\n");
    EXPECT_EQ(err, "");
}

TEST(EvalCommandLineTest, ScoresSegmentationWhenTheTruthHasIt) {
    Sequence s;
    s.set_truth(two_cells, two_tracks);
    s.set_result({{{"111.2."}}, {{"11.22."}}, {{"11.22."}}}, two_tracks);
    // Frame 0 annotated: cell 1 scores 2/3, cell 2 (half covered) 0.
    fs::create_directories(s.truth / "SEG");
    write_mask(s.truth / "SEG" / "man_seg000.tif", {{"11.22."}});
    std::string out, err;
    ASSERT_EQ(s.run(out, err), 0) << err;
    EXPECT_NE(out.find("\nSEG 0.333333\n"), std::string::npos) << out;
}

TEST(EvalCommandLineTest, ScoresThreeDimensionalStacks) {
    Sequence s;
    // Cell 1 spans both slices; cell 2 lies in slice 1.
    const Slices frame = {{"11..", "...."}, {"11..", "..22"}};
    s.set_truth({frame, frame}, "1 0 1 0\n2 0 1 0\n");
    // Cell 2 is missed in frame 1: a false negative (10) and its link (1.5)
    // of 4 nodes and 2 links, TRA = 1 - 11.5 / 43.
    s.set_result({frame, {{"11..", "...."}, {"11..", "...."}}}, "1 0 1 0\n2 0 0 0\n");
    std::string out, err;
    ASSERT_EQ(s.run(out, err), 0) << err;
    EXPECT_EQ(out.substr(0, out.find("\nLNK")), "DET 0.750000\nTRA 0.732558");
}

TEST(EvalCommandLineTest, InvalidResultEndsWithStatusOneAndTheReasons) {
    struct Case {
        const char* name;
        std::function<void(Sequence&)> spoil;
        const char* reason;
    };
    const Case cases[] = {
        {"label missing from a mask",
         [](Sequence& s) { s.set_result({{{"11.22."}}, {{"11...."}}, {{"11.22."}}}, two_tracks); },
         "Label 2 in res_track.txt but not in mask001.tif"},
        {"mask missing",
         [](Sequence& s) {
             s.set_result(two_cells, two_tracks);
             fs::remove(s.result / "mask002.tif");
         },
         "no mask for frame 2 (reference man_track002.tif)"},
        {"mask of another size",
         [](Sequence& s) { s.set_result({{{"11.22."}}, {{"11.22.."}}, {{"11.22."}}}, two_tracks); },
         "mask001.tif is 7 x 1, its reference man_track001.tif 6 x 1"},
        {"no lineage", [](Sequence& s) { s.set_result(two_cells, two_tracks), fs::remove(s.result / "res_track.txt"); },
         "no res_track.txt in "},
        {"malformed lineage", [](Sequence& s) { s.set_result(two_cells, "1 0 2 0\n2 0 two 0\n"); },
         "res_track.txt line 2: expected four non-negative integers"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Sequence s;
        s.set_truth(two_cells, two_tracks);
        c.spoil(s);
        std::string out, err;
        EXPECT_EQ(s.run(out, err), 1);
        EXPECT_EQ(out, "");
        EXPECT_NE(err.find("is not valid"), std::string::npos) << err;
        EXPECT_NE(err.find(c.reason), std::string::npos) << err;
    }
}

TEST(EvalCommandLineTest, BadArgumentsAndMissingTruthEndWithStatusTwo) {
    std::string out, err;
    EXPECT_EQ(Sequence::run({"only-one"}, out, err), 2);
    EXPECT_NE(err.find("Usage: ostrel-eval GT_DIR RES_DIR"), std::string::npos);
    Sequence s;
    s.set_result(two_cells, two_tracks);
    EXPECT_EQ(s.run(out, err), 2);
    EXPECT_NE(err.find("no ground truth in"), std::string::npos) << err;
    EXPECT_EQ(Sequence::run({"--help"}, out, err), 0);
    EXPECT_NE(out.find("Exit status"), std::string::npos);
}

TEST(EvalCommandLineTest, AcceptsTruthFilesDirectlyInTheFolder) {
    Sequence s;
    s.set_truth(two_cells, two_tracks);
    for (const auto& entry : fs::directory_iterator(s.truth / "TRA"))
        fs::rename(entry.path(), s.truth / entry.path().filename());
    s.set_result(two_cells, two_tracks);
    std::string out, err;
    ASSERT_EQ(s.run(out, err), 0) << err;
    EXPECT_EQ(out.substr(0, 24), "DET 1.000000\nTRA 1.00000");
}

}  // namespace
