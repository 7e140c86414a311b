#include "evaluation_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "support/temp_dir.h"

namespace eval_test {

ctc::LabelVolume row_mask(const std::string& pixels) {
    ctc::LabelVolume mask(static_cast<int>(pixels.size()), 1, 1);
    for (std::size_t x = 0; x < pixels.size(); ++x)
        mask(static_cast<int>(x), 0, 0) = pixels[x] == '.' ? 0 : static_cast<unsigned short>(pixels[x] - '0');
    return mask;
}

ctc::MatchedFrames matched_frames(const std::vector<std::string>& reference, const std::vector<std::string>& computed) {
    EXPECT_EQ(reference.size(), computed.size());
    ctc::MatchedFrames frames;
    for (std::size_t t = 0; t < reference.size() && t < computed.size(); ++t)
        frames.emplace(static_cast<int>(t),
                       ctc::FrameMatching(ctc::overlap(row_mask(reference[t]), row_mask(computed[t]))));
    return frames;
}

ctc::TrackTable table(const std::string& text) {
    test_support::TempDir dir("table");
    const std::string path = dir.str() + "/lineage.txt";
    std::ofstream(path) << text;
    return ctc::read_track_table(path, "lineage.txt");
}

}  // namespace eval_test
