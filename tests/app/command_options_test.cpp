#include <gtest/gtest.h>

#include "app/command_options.h"
#include "app/run.h"
#include "support/expect_message.h"

namespace {

using app::Option;

// A table with one option of each shape, recording what was applied.
struct Recorder {
    std::vector<std::string> applied;
    std::vector<Option> options() {
        auto record = [this](const std::string& name) {
            return [this, name](const std::string& value) { applied.push_back(name + "=" + value); };
        };
        return {{"--flag", "-f", "", "a flag", record("flag")},
                {"--jobs", "", "N", "a required value", record("jobs")},
                {"--list", "", "[FAMILY]", "an optional value", record("list")}};
    }
};

TEST(CommandOptions, ValuesFollowOrJoinTheirOptionAndOtherWordsAreArguments) {
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> applied;
        std::vector<std::string> rest;
    };
    const std::vector<Case> cases = {
        {{"in", "-f", "out"}, {"flag="}, {"in", "out"}},
        {{"--jobs", "4", "x"}, {"jobs=4"}, {"x"}},
        {{"--jobs=4"}, {"jobs=4"}, {}},
        {{"--jobs", "-1"}, {"jobs=-1"}, {}},  // a required value is taken whatever it looks like
        {{"--list"}, {"list="}, {}},
        {{"--list", "filters"}, {"list=filters"}, {}},
        {{"--list", "--flag"}, {"list=", "flag="}, {}},  // an optional value is not an option
        {{"--", "--flag", "-"}, {}, {"--flag", "-"}},
        {{"-"}, {}, {"-"}},
    };
    for (const Case& c : cases) {
        Recorder recorder;
        EXPECT_EQ(app::apply_options(c.args, recorder.options()), c.rest) << c.args.front();
        EXPECT_EQ(recorder.applied, c.applied) << c.args.front();
    }
}

TEST(CommandOptions, MistakesNameTheOptionAndSuggestTheNearest) {
    Recorder recorder;
    EXPECT_MESSAGE(app::apply_options({"--jbos", "2"}, recorder.options()),
                   "unknown option: --jbos (did you mean --jobs?)");
    EXPECT_MESSAGE(app::apply_options({"--zzzzzz"}, recorder.options()), "unknown option: --zzzzzz");
    EXPECT_MESSAGE(app::apply_options({"--jobs"}, recorder.options()), "--jobs needs a value: --jobs N");
    EXPECT_MESSAGE(app::apply_options({"--flag=yes"}, recorder.options()), "--flag takes no value, got 'yes'");
    EXPECT_MESSAGE(app::positive_number("--max-speed", "fast"), "--max-speed: 'fast' is not a positive number");
    EXPECT_MESSAGE(app::positive_number("--max-speed", "-3"), "--max-speed: '-3' is not a positive number");
    EXPECT_MESSAGE(app::positive_integer("--jobs", "2.5"), "--jobs: '2.5' is not a positive whole number");
    EXPECT_EQ(app::positive_number("--diameter", "12.5"), 12.5);
}

TEST(CommandOptions, HelpLinesAreAlignedAndWrappedWithinEightyColumns) {
    Recorder recorder;
    std::vector<Option> options = recorder.options();
    options[0].help = std::string(25, 'a') + " " + std::string(25, 'b') + " " + std::string(25, 'c');
    const std::string text = app::describe_options(options);
    std::size_t start = 0, lines = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        EXPECT_LE(end - start, 79u) << text;
        start = end + 1;
        ++lines;
    }
    EXPECT_EQ(lines, 4u) << text;  // the long help takes two lines
    EXPECT_NE(text.find("  -f, --flag           aaa"), std::string::npos) << text;
    EXPECT_NE(text.find("      --list [FAMILY]  an optional value"), std::string::npos) << text;
}

TEST(OstrelOptions, StrictAndProgressSwitchesReachTheSettings) {
    app::RunSettings settings;
    const auto rest = app::apply_options({"--strict", "--no-progress", "run.xml"}, app::ostrel_options(settings));
    EXPECT_TRUE(settings.strict);
    EXPECT_FALSE(settings.progress);
    EXPECT_EQ(rest, std::vector<std::string>{"run.xml"});
    EXPECT_FALSE(settings.instead);
}

}  // namespace
