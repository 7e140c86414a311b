#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/cells_test_support.h"
#include "app/registration.h"
#include "config/catalogue.h"
#include "pipeline/component.h"
#include "support/run_command.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using cells_test::run_tool;

TEST(OstrelCommandLine, HelpAndVersionAnswerAndExitWithZero) {
    test_support::TempDir dir("help");
    for (const char* option : {"--help", "-h"}) {
        const auto help = run_tool(dir.str(), "ostrel", option);
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out.rfind("Usage: ostrel [OPTIONS] [CONFIGURATION]\n", 0), 0u) << help.out;
        EXPECT_NE(help.out.find("--list-keys [FAMILY]"), std::string::npos);
        EXPECT_EQ(help.err, "");
    }
    const auto version = run_tool(dir.str(), "ostrel", "--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out.rfind("ostrel ", 0), 0u) << version.out;
}

TEST(OstrelCommandLine, ListKeysShowsEveryRegisteredKeyByFamily) {
    test_support::TempDir dir("keys");
    const auto all = run_tool(dir.str(), "ostrel", "--list-keys");
    ASSERT_EQ(all.status, 0) << all.err;
    app::register_all();
    EXPECT_NE(all.out.find("components (" + std::to_string(cmpnt::factory().size()) + " keys)\n"),
              std::string::npos);
    for (const char* heading : {"\nfilters (", "\nstates (", "\nsimulators (", "\nfootprints_2d (", "\nmasks ("})
        EXPECT_NE(all.out.find(heading), std::string::npos) << heading;
    for (const std::string& key : cmpnt::factory().keys())
        EXPECT_NE(all.out.find("\n  " + key + "\n"), std::string::npos) << key;

    const auto footprints = run_tool(dir.str(), "ostrel", "--list-keys footprints");
    EXPECT_EQ(footprints.out.rfind("footprints_1d (", 0), 0u) << footprints.out;
    EXPECT_NE(footprints.out.find("\n  sphere\n"), std::string::npos);
    EXPECT_EQ(footprints.out.find("filters"), std::string::npos);
}

TEST(OstrelCommandLine, DescribePrintsTheKeysParameterCatalogue) {
    test_support::TempDir dir("describe");
    const auto run = run_tool(dir.str(), "ostrel", "--describe frame_counter");
    EXPECT_EQ(run.status, 0);
    app::register_all();
    EXPECT_EQ(run.out, config::describe_key("frame_counter"));
    EXPECT_NE(run.out.find("frame_counter"), std::string::npos);
}

TEST(OstrelCommandLine, MistypedOptionOrFamilyFailsWithASuggestion) {
    test_support::TempDir dir("mistyped");
    const auto option = run_tool(dir.str(), "ostrel", "--lst-keys");
    EXPECT_EQ(option.status, 1);
    EXPECT_EQ(option.err, "unknown option: --lst-keys (did you mean --list-keys?)\nTry 'ostrel --help' for the options.\n");
    const auto family = run_tool(dir.str(), "ostrel", "--list-keys componnts");
    EXPECT_EQ(family.status, 1);
    EXPECT_EQ(family.err.rfind("unknown key family: componnts (did you mean components?)", 0), 0u) << family.err;
}

// A run that ends cleanly reports how many frames passed, unless a
// frame_counter in the configuration prints its own numbers.
TEST(OstrelCommandLine, CleanRunEndsWithAFrameSummaryUnlessTheConfigurationCountsFrames) {
    test_support::TempDir dir("summary");
    cells_test::write_blob_sequence(dir.path() / "images", cells_test::three_discs(), 64, 64, 1, 3);
    const std::string chain =
        "<?xml version=\"1.0\"?>\n<component_chain><components>\n"
        "<short_image_tiff_reader><directory>images</directory><start_time>0</start_time><dt>1</dt>"
        "</short_image_tiff_reader>\n";
    std::ofstream(dir.path() / "plain.xml") << chain << "<terminator/></components></component_chain>\n";
    std::ofstream(dir.path() / "counted.xml")
        << chain << "<frame_counter><modulo>1</modulo><max_line_length>80</max_line_length></frame_counter>"
        << "<terminator/></components></component_chain>\n";

    const auto plain = run_tool(dir.str(), "ostrel", "plain.xml");
    EXPECT_EQ(plain.status, 0) << plain.err;
    EXPECT_NE(plain.out.find("\nprocessed 3 frames in "), std::string::npos) << plain.out;
    const auto quiet = run_tool(dir.str(), "ostrel", "--no-progress plain.xml");
    EXPECT_EQ(quiet.out.find("processed"), std::string::npos) << quiet.out;
    const auto counted = run_tool(dir.str(), "ostrel", "counted.xml");
    EXPECT_EQ(counted.out.find("processed"), std::string::npos) << counted.out;
    EXPECT_NE(counted.out.find("...done, total frame count = 3"), std::string::npos) << counted.out;
}

}  // namespace
