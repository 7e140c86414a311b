#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/run.h"
#include "app/scramble.h"
#include "support/expect_message.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

using test_support::run_command;
namespace fs = std::filesystem;

void write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

const char* kChain =
    "<?xml version=\"1.0\"?>\n<component_chain>\n  <components>\n    <stage/>\n  </components>\n</component_chain>\n";
// Included as stage.xml: a chain whose first stage cannot act as a source, so
// the run ends with a known error after the configuration was read.
const char* kStage = "<?xml version=\"1.0\"?>\n<pass_through/>\n";

TEST(EntryPoint, SplitsPathsOnEitherSeparator) {
    struct Case {
        const char* path;
        const char* folder;
        const char* file;
    };
    for (Case c : {Case{"a\\b/run.xml", "a/b", "run.xml"}, Case{"run.xml", "", "run.xml"},
                   Case{"/run.xml", "/", "run.xml"}, Case{"x/", "x", ""}}) {
        std::string folder, file;
        app::split_path(c.path, folder, file);
        EXPECT_EQ(folder, c.folder) << c.path;
        EXPECT_EQ(file, c.file) << c.path;
    }
}

TEST(EntryPoint, UsageErrorNamesTheProgramAndEndsWithStatusOne) {
    EXPECT_MESSAGE(app::configuration_path({"prog", "a", "b"}), "Usage: prog  configuration_file");
    test_support::TempDir dir("usage");
    auto result = run_command(test_support::ostrel_binary() + " a b", dir.str());
    EXPECT_EQ(result.status, 1);
    EXPECT_NE(result.err.find("  configuration_file\n\nElapsed time: "), std::string::npos) << result.err;
}

TEST(EntryPoint, PointerFileNamesTheConfigurationAndTheRunMovesIntoItsFolder) {
    test_support::TempDir dir("pointer");
    write(dir.path() / "one" / "two" / "run.xml", kChain);
    write(dir.path() / "one" / "two" / "stage.xml", kStage);
    write(dir.path() / "Ostrel.txt", "  one\\two/run.xml more words\n");
    auto result = run_command(test_support::ostrel_binary(), dir.str());
    EXPECT_EQ(result.out, "configuration file is one\\two/run.xml\nchanging directory to one/two\n");
    EXPECT_EQ(result.err.substr(0, result.err.find("Elapsed")),
              "call to unspecialized virtual function Component::push\n\n");
    EXPECT_EQ(result.status, 1);
}

TEST(EntryPoint, MissingPointerFileAndMissingFolderAreReported) {
    test_support::TempDir dir("missing");
    auto result = run_command(test_support::ostrel_binary(), dir.str());
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), "Unable to open default file Ostrel.txt");
    result = run_command(test_support::ostrel_binary() + " nowhere/run.xml", dir.str());
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), "unable to change directory to nowhere");
    result = run_command(test_support::ostrel_binary() + " run.xml", dir.str());
    EXPECT_EQ(result.out, "configuration file is run.xml\n");
    EXPECT_EQ(result.err.substr(0, result.err.find('\n')), "Querier::open is unable to open run.xml");
    EXPECT_EQ(result.status, 1);
}

TEST(EntryPoint, ScrambledConfigurationRunsLikeThePlainOne) {
    test_support::TempDir dir("scrambled");
    write(dir.path() / "run.xml", kChain);
    write(dir.path() / "stage.xml", kStage);
    auto scrambled = run_command(std::string(OSTREL_BINARY_DIR) + "/ostrel-scramble run.xml run.cfg", dir.str());
    ASSERT_EQ(scrambled.status, 0) << scrambled.err;
    EXPECT_NE(test_support::slurp((dir.path() / "run.cfg").string()), kChain);
    EXPECT_EQ(app::read_scrambled((dir.path() / "run.cfg").string()), kChain);

    auto plain = run_command(test_support::ostrel_binary() + " run.xml", dir.str());
    auto other = run_command(test_support::ostrel_binary() + " run.cfg", dir.str());
    EXPECT_EQ(plain.err.substr(0, plain.err.find("Elapsed")), other.err.substr(0, other.err.find("Elapsed")));
    EXPECT_EQ(other.status, plain.status);
}

TEST(Scrambling, BytesPastAnFFAreIgnoredAndTheTransformInverts) {
    std::string text = "<?xml?>\n<terminator/>\n";
    std::string bytes = app::scramble(text);
    for (char c : bytes) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    EXPECT_EQ(app::unscramble(bytes), text);
    test_support::TempDir dir("ff");
    write(dir.path() / "c.cfg", bytes + "\xFF" + "garbage");
    EXPECT_EQ(app::read_scrambled((dir.path() / "c.cfg").string()), text);
    EXPECT_MESSAGE(app::read_scrambled((dir.path() / "absent.cfg").string()),
                   "unable to open file: " + (dir.path() / "absent.cfg").string());
}

TEST(EntryPoint, CleanRunExitsWithZero) {
    test_support::TempDir dir("clean");
    write(dir.path() / "run.xml", "<?xml?>\n<terminator/>\n");
    auto result = run_command(test_support::ostrel_binary() + " " + (dir.path() / "run.xml").string(), "/");
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err.substr(0, 15), "\nElapsed time: ");
}

}  // namespace
