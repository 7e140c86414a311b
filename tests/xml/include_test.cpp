#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/expect_message.h"
#include "support/temp_dir.h"
#include "xml/querier.h"

namespace {

class IncludeExpansion : public ::testing::Test {
protected:
    test_support::ScopedWorkingDir dir{"include_expansion"};

    void write(const std::string& name, const std::string& body) {
        std::ofstream(name) << "<?xml version=\"1.0\"?>\n" << body << "\n";
    }
    xml::Querier expand(const std::string& body) {
        write("main.xml", body);
        xml::Querier q = xml::Querier::open("main.xml");
        xml::expand_includes(q);
        return q;
    }
};

TEST_F(IncludeExpansion, AnEmptyElementIsReplacedByTheFileOfItsName) {
    write("tracker.xml", "<other><n>3</n></other>");
    xml::Querier q = expand("<r><tracker/><absent/></r>");
    EXPECT_EQ(q.tag("other").read<int>("n"), 3);
    EXPECT_TRUE(q.has_tag("absent"));
    EXPECT_FALSE(q.has_tag("tracker"));
}

TEST_F(IncludeExpansion, AFileAttributeKeepsTheElementNameAndTakesTheContent) {
    write("y.xml", "<root a=\"1\"><n>4</n></root>");
    xml::Querier q = expand("<r><x file=\"y.xml\"/><z other=\"1\"/></r>");
    EXPECT_EQ(q.tag("x").read<int>("n"), 4);
    std::string a;
    EXPECT_TRUE(q.tag("x").find_att("a", a));
    EXPECT_FALSE(q.tag("x").find_att("file", a));
    EXPECT_TRUE(q.tag("z").current().children->empty());
}

TEST_F(IncludeExpansion, IncludedFilesIncludeFurtherFiles) {
    write("inner.xml", "<inner><v>9</v></inner>");
    write("outer.xml", "<outer><inner/></outer>");
    xml::Querier q = expand("<r><outer/></r>");
    EXPECT_EQ(q.tag("outer").tag("inner").read<int>("v"), 9);
}

TEST_F(IncludeExpansion, AFileThatIncludesItselfStopsWithAnError) {
    write("loop.xml", "<loop/>");
    EXPECT_MESSAGE(expand("<r><loop/></r>"),
                   "include nesting deeper than 64 levels at file loop.xml (does it include itself?)");
}

}  // namespace
