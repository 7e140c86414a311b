#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "support/expect_message.h"
#include "support/temp_dir.h"
#include "util/system.h"
#include "util/seed.h"
#include "util/trash.h"
#include "util/wildcard.h"
#include "util/system_test_support.h"

namespace fs = std::filesystem;
using test_support::CoutCapture;
using test_support::ScopedEnv;
using test_support::ScopedWorkingDir;
using test_support::TempDir;

namespace {

void touch(const fs::path& file) { std::ofstream(file) << "x"; }

std::vector<std::string> entries_of(const fs::path& folder) {
    std::vector<std::string> names;
    if (!fs::exists(folder)) return names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string read_file(const fs::path& file) {
    std::ifstream in(file);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// ---------------------------------------------------------------- wildcards

TEST(Wildcard, StarAndQuestionMarkFollowTheListingRules) {
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    };
    const Case cases[] = {
        {"*.tif", "a.tif", true},        {"*.tif", "a.tiff", false},
        {"*.tif?", "a.tiff", true},      {"*.tif?", "a.tif", false},  // "?" is exactly one character
        {"?.tif", "ab.tif", false},      {"??.tif", "ab.tif", true},
        {"*", "anything", true},         {"*", "", true},
        {"a*b*c", "aXXbYYbZc", true},    {"a*b*c", "aXXbYYcZ", false},
        {"*.TIF", "a.tif", false},       {"abc", "abc", true},
        {"abc", "abcd", false},          {"a**", "a", true},
        {"*a", "bab", false},            {"*", ".hidden", false},  // hidden files need an explicit dot
        {".*", ".hidden", true},         {"*.xml", "x.xml", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(util::wildcard_match(c.pattern, c.name), c.match) << c.pattern << " vs " << c.name;
}

// ----------------------------------------------------------------- listing

class Listing : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"b.tif", "a.tif", "a.tiff", "c.txt", "A.tif", "10.tif", "2.tif", ".h.tif"})
            touch(folder_.path() / name);
        fs::create_directory(folder_.path() / "d.tif");  // a folder is never listed
    }
    TempDir folder_{"listing"};
};

TEST_F(Listing, DirlReturnsMatchingRegularFilesAsAbsolutePathsInByteOrder) {
    struct Case {
        std::string pattern;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        {"*.tif", {"10.tif", "2.tif", "A.tif", "a.tif", "b.tif"}},
        {"*.tif?", {"a.tiff"}},
        {"?.tif", {"2.tif", "A.tif", "a.tif", "b.tif"}},
        {"*", {"10.tif", "2.tif", "A.tif", "a.tif", "a.tiff", "b.tif", "c.txt"}},
        {"nothing*", {}},
    };
    const std::string prefix = fs::canonical(folder_.path()).string() + "/";
    for (const Case& c : cases) {
        std::vector<std::string> expected;
        for (const std::string& name : c.names) expected.push_back(prefix + name);
        EXPECT_EQ(*util::System::dirl(folder_.str() + "/" + c.pattern), expected) << c.pattern;
    }
}

TEST_F(Listing, BackslashesSeparateFoldersAndRelativeFoldersBecomeAbsolute) {
    ScopedWorkingDir work("listing_cwd");
    fs::create_directories("in/sub");
    touch("in/sub/x.txt");
    const std::string expected = fs::canonical("in/sub").string() + "/x.txt";
    EXPECT_EQ(*util::System::dirl("in\\sub\\*.txt"), std::vector<std::string>{expected});
    EXPECT_EQ(*util::System::dirl("in/sub/*.txt"), std::vector<std::string>{expected});
    EXPECT_EQ(*util::System::dirl("./in/sub/*.txt"), std::vector<std::string>{expected});
    EXPECT_EQ(fs::current_path(), work.path());  // the listing does not change directory
}

TEST_F(Listing, DirReturnsBareNamesRelativeToTheWorkingDirectory) {
    fs::path previous = fs::current_path();
    fs::current_path(folder_.path());
    auto names = util::System::dir("*.t?t");
    auto nested = util::System::dir("../" + folder_.path().filename().string() + "\\b*");
    fs::current_path(previous);
    EXPECT_EQ(*names, std::vector<std::string>{"c.txt"});
    EXPECT_EQ(*nested, std::vector<std::string>{"b.tif"});
}

TEST(ListingErrors, NameTheFolderThatCannotBeEntered) {
    TempDir base("listing_errors");
    touch(base.path() / "plain");
    const std::string missing = base.str() + "/missing";
    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        {"*.tif", "path is empty in System::dirl"},
        {"\\*.tif", "path is empty in System::dirl"},
        {missing + "/*.tif", "unable to change directory to " + missing},
        {base.str() + "\\missing\\*.tif", "unable to change directory to " + missing},
        {base.str() + "/plain/*", "unable to change directory to " + base.str() + "/plain"},
    };
    for (const Case& c : cases) EXPECT_MESSAGE(util::System::dirl(c.path), c.message);
    EXPECT_MESSAGE(util::System::dir(missing + "/*"), "unable to change directory to " + missing);
}

TEST(Cwd, IsTheWorkingDirectory) {
    ScopedWorkingDir work("cwd");
    EXPECT_EQ(util::System::cwd(), fs::current_path().string());
    EXPECT_EQ(util::cwd(), work.path().string());
}

// -------------------------------------------------------- random numbers

TEST(MinimalStandardGenerator, ReachesThePublishedCheckValue) {
    // Park and Miller (1988): from seed 1, the 10000th value is 1043618065.
    std::minstd_rand0 generator = util::minimal_standard_generator(1);
    std::uint_fast32_t value = 0;
    for (int i = 0; i < 10000; ++i) value = generator();
    EXPECT_EQ(value, 1043618065u);
}

TEST(MinimalStandardGenerator, ReducesAnySeedIntoItsRange) {
    EXPECT_EQ(util::minimal_standard_state(0), 1);
    EXPECT_EQ(util::minimal_standard_state(2147483647), 1);
    EXPECT_EQ(util::minimal_standard_state(-1), 2147483646);
    EXPECT_EQ(util::minimal_standard_state(2147483648LL), 1);
    EXPECT_EQ(util::minimal_standard_generator(1)(), 16807u);
}

// ---------------------------------------------------------- trash names

TEST(TrashNames, JoinWorkingDirectoryAndPathWithUnderscores) {
    ScopedWorkingDir work("trash_names");
    std::string expected_cwd = work.str().substr(1);
    for (char& c : expected_cwd)
        if (c == '/') c = '_';
    EXPECT_EQ(util::trash_base_name("out\\sub/x"), expected_cwd + "_out_sub_x");
    EXPECT_EQ(util::trash_base_name("/abs"), expected_cwd + "__abs");
}

TEST(TrashNames, LongNamesKeepTheirTailWithinTheLengthLimit) {
    std::string deep(400, 'a');
    deep += "/tail";
    std::string name = util::trash_base_name(deep);
    EXPECT_LE(name.size(), 200u);
    EXPECT_EQ(name.substr(name.size() - 5), "_tail");
}

TEST(TrashNames, PathsArePercentEncoded) {
    struct Case {
        const char* path;
        const char* encoded;
    };
    const Case cases[] = {
        {"/tmp/a-b_c.d~e", "/tmp/a-b_c.d~e"},
        {"/my dir/100%", "/my%20dir/100%25"},
        {"/x#?&=", "/x%23%3F%26%3D"},
        {"/\xC3\xA9", "/%C3%A9"},
    };
    for (const Case& c : cases) EXPECT_EQ(util::percent_encode_path(c.path), c.encoded) << c.path;
}

TEST(TrashFolder, FollowsXdgDataHomeAndFallsBackToHome) {
    {
        ScopedEnv data("XDG_DATA_HOME", "/some/data/");
        EXPECT_EQ(util::home_trash_folder(), "/some/data/Trash");
    }
    ScopedEnv home("HOME", "/home/someone");
    {
        ScopedEnv data("XDG_DATA_HOME", "relative/ignored");
        EXPECT_EQ(util::home_trash_folder(), "/home/someone/.local/share/Trash");
    }
    ScopedEnv data("XDG_DATA_HOME", "");
    EXPECT_EQ(util::home_trash_folder(), "/home/someone/.local/share/Trash");
}

// --------------------------------------------------------- make_directory

// Every test here works in its own folder with its own trash.
class MakeDirectory : public ::testing::Test {
protected:
    ScopedWorkingDir work_{"make_directory"};
    TempDir data_{"xdg_data"};
    ScopedEnv xdg_{"XDG_DATA_HOME", data_.str()};
    fs::path trash_ = data_.path() / "Trash";
};

TEST_F(MakeDirectory, FreshPathIsOnlyCreated) {
    CoutCapture out;
    util::System::make_directory("fresh");
    EXPECT_EQ(out.text(), "creating fresh\n");
    EXPECT_TRUE(fs::is_directory("fresh"));
    EXPECT_FALSE(fs::exists(trash_));
}

TEST_F(MakeDirectory, ExistingFolderMovesToTheTrashWithItsRecord) {
    fs::create_directory("out");
    touch("out/kept.txt");
    const std::string base = util::trash_base_name("out");

    CoutCapture out;
    util::System::make_directory("out");
    EXPECT_EQ(out.text(), "out exists... moving to trash.\ncreating out\n");
    EXPECT_TRUE(fs::is_directory("out"));
    EXPECT_TRUE(fs::is_empty("out"));

    std::vector<std::string> moved = entries_of(trash_ / "files");
    ASSERT_EQ(moved.size(), 1u);
    EXPECT_TRUE(std::regex_match(moved[0], std::regex(std::regex_replace(
                                               base, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)") +
                                           "_[0-9]+")))
        << moved[0];
    EXPECT_TRUE(fs::exists(trash_ / "files" / moved[0] / "kept.txt"));

    const std::string record = read_file(trash_ / "info" / (moved[0] + ".trashinfo"));
    const std::string path_line = "Path=" + util::percent_encode_path(work_.str() + "/out");
    EXPECT_TRUE(std::regex_match(record, std::regex(R"(\[Trash Info\]\n)" + path_line +
                                                    R"(\nDeletionDate=\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\n)")))
        << record;
    EXPECT_EQ(entries_of(trash_ / "info").size(), 1u);

    struct stat status;
    ASSERT_EQ(::stat(trash_.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0700u);  // the trash is private to the user
}

TEST_F(MakeDirectory, ExistingFileAndTrailingSlashAreHandledToo) {
    touch("file_in_the_way");
    fs::create_directory("slashed");
    CoutCapture out;
    util::System::make_directory("file_in_the_way");
    util::System::make_directory("slashed/");
    EXPECT_TRUE(fs::is_directory("file_in_the_way"));
    EXPECT_TRUE(fs::is_directory("slashed"));
    EXPECT_EQ(entries_of(trash_ / "files").size(), 2u);
    const std::string records = read_file(trash_ / "info" / (entries_of(trash_ / "info")[1]));
    EXPECT_NE(records.find("Path=" + util::percent_encode_path(work_.str() + "/slashed") + "\n"), std::string::npos)
        << records;
}

TEST_F(MakeDirectory, TwoMovesOfOneNameGiveTwoTrashEntries) {
    CoutCapture out;
    fs::create_directory("out");
    touch("out/first");
    util::System::make_directory("out");
    touch("out/second");
    util::System::make_directory("out");

    std::vector<std::string> moved = entries_of(trash_ / "files");
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_NE(moved[0], moved[1]);
    std::set<std::string> contents;
    for (const std::string& entry : moved)
        for (const std::string& name : entries_of(trash_ / "files" / entry)) contents.insert(name);
    EXPECT_EQ(contents, (std::set<std::string>{"first", "second"}));
    EXPECT_EQ(entries_of(trash_ / "info").size(), 2u);
}

TEST_F(MakeDirectory, TakenTrashNameDrawsAgain) {
    fs::create_directory("out");
    const std::string base = util::trash_base_name("out");
    std::minstd_rand0 predicted = util::trash_number_generator();
    const std::string taken = base + "_" + std::to_string(predicted());
    const std::string next = base + "_" + std::to_string(predicted());
    fs::create_directories(trash_ / "files" / taken);

    CoutCapture out;
    util::System::make_directory("out");
    std::vector<std::string> expected{taken, next};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries_of(trash_ / "files"), expected);
    EXPECT_EQ(entries_of(trash_ / "info"), std::vector<std::string>{next + ".trashinfo"});
}

TEST_F(MakeDirectory, FailuresNameTheFolderOrTheMove) {
    CoutCapture out;
    EXPECT_MESSAGE(util::System::make_directory("no/parent"), "unable to make directory no/parent");

    // A folder cannot move into its own subtree; its record is withdrawn.
    fs::create_directories("holder/data");
    ScopedEnv inner("XDG_DATA_HOME", work_.str() + "/holder/data");
    std::minstd_rand0 predicted = util::trash_number_generator();
    const std::string target = work_.str() + "/holder/data/Trash/files/" + util::trash_base_name("holder") + "_" +
                               std::to_string(predicted());
    EXPECT_MESSAGE(util::System::make_directory("holder"), "unable to rename holder to " + target);
    EXPECT_TRUE(entries_of("holder/data/Trash/info").empty());

    // A trash that cannot be made.
    touch("not_a_folder");
    ScopedEnv blocked("XDG_DATA_HOME", work_.str() + "/not_a_folder");
    fs::create_directory("again");
    EXPECT_MESSAGE(util::System::make_directory("again"),
                   "unable to make directory " + work_.str() + "/not_a_folder");
    EXPECT_TRUE(fs::exists("again"));
}

TEST_F(MakeDirectory, OtherFileSystemUsesItsOwnTopDirectoryTrash) {
    // /dev/shm is a world-writable file system of its own on most Linux hosts.
    const fs::path shm = "/dev/shm";
    struct stat shm_status, trash_status;
    if (::stat(shm.c_str(), &shm_status) != 0 || ::stat(data_.path().c_str(), &trash_status) != 0 ||
        shm_status.st_dev == trash_status.st_dev || ::access(shm.c_str(), W_OK) != 0)
        GTEST_SKIP() << "no second writable file system at /dev/shm";
    fs::path parent_status_check = shm.parent_path();
    struct stat parent_status;
    if (::stat(parent_status_check.c_str(), &parent_status) == 0 && parent_status.st_dev == shm_status.st_dev)
        GTEST_SKIP() << "/dev/shm is not the top of its file system";

    const fs::path local_trash = shm / (".Trash-" + std::to_string(::getuid()));
    const bool trash_existed = fs::exists(local_trash);
    const fs::path victim = shm / ("ostrel_trash_test_" + std::to_string(::getpid()));
    fs::create_directory(victim);
    touch(victim / "payload");

    std::string target;
    {
        CoutCapture out;
        target = util::move_to_trash(victim.string());
    }
    const fs::path entry = fs::path(target).filename();
    EXPECT_EQ(fs::path(target).parent_path(), local_trash / "files");
    EXPECT_TRUE(fs::exists(local_trash / "files" / entry / "payload"));
    EXPECT_FALSE(fs::exists(victim));
    const std::string record = read_file(local_trash / "info" / (entry.string() + ".trashinfo"));
    EXPECT_NE(record.find("Path=" + util::percent_encode_path(victim.string()) + "\n"), std::string::npos);
    EXPECT_TRUE(entries_of(trash_ / "info").empty());  // the home record was withdrawn

    std::error_code ignored;
    fs::remove_all(local_trash / "files" / entry, ignored);
    fs::remove(local_trash / "info" / (entry.string() + ".trashinfo"), ignored);
    if (!trash_existed) fs::remove_all(local_trash, ignored);
}

}  // namespace
