#include <gtest/gtest.h>

#include <filesystem>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using test_support::run_command;
using test_support::slurp;

// The README's example: a chain that replays recorded frames through a
// splitter, a nested chain, a frame counter and two frame writers.
TEST(ReplayExample, WritesEveryFrameBackByteForByteAndMovesOldResultsToTheTrash) {
    test_support::TempDir dir("replay_example");
    const fs::path shipped = fs::path(OSTREL_SOURCE_DIR) / "examples" / "replay";
    fs::create_directories(dir.path() / "replay");
    fs::copy(shipped / "pipeline.xml", dir.path() / "replay" / "pipeline.xml");
    fs::copy(shipped / "frames", dir.path() / "replay" / "frames");
    std::string command = "XDG_DATA_HOME='" + dir.str() + "/data' " + test_support::ostrel_binary() +
                          " replay/pipeline.xml";

    for (int run = 0; run < 2; ++run) {
        auto result = run_command(command, dir.str());
        ASSERT_EQ(result.status, 0) << result.err;
        EXPECT_NE(result.out.find("1 2 3 4 \n\n...done, total frame count = 4\n"), std::string::npos) << result.out;
        if (run == 1) {
            EXPECT_NE(result.out.find("out exists... moving to trash."), std::string::npos);
        }
    }
    const fs::path replay = dir.path() / "replay";
    const char* times[] = {"000", "010", "020", "030"};
    for (int k = 0; k < 4; ++k) {
        std::string count = "000" + std::to_string(k);
        std::string original = slurp((replay / "frames" / (count + ".xml")).string());
        ASSERT_FALSE(original.empty());
        EXPECT_EQ(slurp((replay / "out" / (std::string(times[k]) + "_" + count + ".xml")).string()), original);
        EXPECT_EQ(slurp((replay / "out_branch" / (count + ".xml")).string()), original);
    }
    // The first run's folders went to the trash, with their records.
    int trashed = 0;
    for (const auto& entry : fs::directory_iterator(dir.path() / "data" / "Trash" / "info")) {
        EXPECT_EQ(entry.path().extension(), ".trashinfo");
        ++trashed;
    }
    EXPECT_EQ(trashed, 2);
}

}  // namespace
