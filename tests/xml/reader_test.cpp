#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "support/expect_message.h"
#include "xml/parser.h"
#include "xml/querier.h"

namespace {

xml::Querier parse(const std::string& body) { return xml::Querier::parse("<?xml version=\"1.0\"?>\n" + body); }

TEST(XmlReader, FirstLineIsAlwaysSkippedAsTheDeclaration) {
    xml::Querier q = xml::Querier::parse("<a><b>1</b></a>\n<c>2</c>\n");
    EXPECT_EQ(q.name(), "c");
}

TEST(XmlReader, AttributesAreTrimmedAndTextKeepsTrailingBlanks) {
    xml::Querier q = parse("<r>\n<x key = \"v 1\" other=\"2\"/>\n<n>  12 </n>\n</r>");
    const xml::Tag& x = q.tag("x").current();
    ASSERT_EQ(x.attributes.size(), 2u);
    EXPECT_EQ(x.attributes[0].first, "key");
    EXPECT_EQ(x.attributes[0].second, "v 1");
    EXPECT_EQ(x.attributes[1].first, "other");
    EXPECT_TRUE(x.text.empty());
    EXPECT_TRUE(x.children->empty());
    EXPECT_EQ(q.tag("n").raw_text(), "12 ");
    EXPECT_EQ(q.read<int>("n"), 12);
    EXPECT_FALSE(q.read_bool("n"));
}

TEST(XmlReader, TextAfterAChildIsDroppedAndTheFirstOfTwoNamesWins) {
    xml::Querier q = parse("<r><e>first<c/>second</e><d>1</d><d>2</d></r>");
    EXPECT_EQ(q.tag("e").raw_text(), "first");
    EXPECT_EQ(q.read<int>("d"), 1);
}

TEST(XmlReader, BooleansAreTrueOnlyForTheExactWord) {
    xml::Querier q = parse("<r><a>true</a><b>True</b><c>1</c><d>true </d></r>");
    EXPECT_TRUE(q.read_bool("a"));
    EXPECT_FALSE(q.read_bool("b"));
    EXPECT_FALSE(q.read_bool("c"));
    EXPECT_FALSE(q.read_bool("d"));
}

TEST(XmlReader, CommentsAreSkippedWhereverTheyStand) {
    xml::Querier q = parse("<!-- before -->\n<r>\n<!-- <x>1</x> -->\n<a><!-- c -->7</a>\n<!-- end --></r>");
    EXPECT_EQ(q.name(), "r");
    EXPECT_EQ(q.tags().size(), 1u);
    EXPECT_EQ(q.read<int>("a"), 7);
}

TEST(XmlReader, NineAttributesLoadAndATenthNamesTheTag) {
    std::string nine = "<t a1=\"1\" a2=\"2\" a3=\"3\" a4=\"4\" a5=\"5\" a6=\"6\" a7=\"7\" a8=\"8\" a9=\"9\"";
    EXPECT_EQ(parse(nine + "/>").current().attributes.size(), 9u);
    EXPECT_MESSAGE(parse(nine + " a10=\"10\"/>"), "too many attributes in tag t");
}

TEST(XmlReader, EndOfInputInsideAnElementNamesTheElement) {
    EXPECT_MESSAGE(parse("<r><a>1</a>"), "unexpected end of input in <text>: element r is not closed");
    EXPECT_MESSAGE(xml::Querier::parse("<r/>"), "no root element in <text>");
    EXPECT_MESSAGE(parse("<r><a>1"), "unexpected end of input in <text>: element a is not closed");
}

struct FailureCase {
    const char* name;
    std::function<void(const xml::Querier&)> action;
    std::string message;
};

TEST(XmlReader, FailuresCarryTheirMessages) {
    xml::Querier q = parse("<r a=\"x\"><n>abc</n><v>1 2</v></r>");
    std::string r_as_xml = "<r a=\"x\">\n  <n>abc</n>\n  <v>1 2</v>\n</r>\n";
    std::vector<FailureCase> cases = {
        {"missing child", [](const xml::Querier& q) { q.tag("m"); },
         "Tag::tag failed, key not found: key = m \n" + r_as_xml},
        {"no children", [](const xml::Querier& q) { q.tag("n").tag(); }, "Tag::tag failed, tags is empty"},
        {"raw attribute", [](const xml::Querier& q) { q.current().att("b"); },
         "Tag::att failed, key not found: key = b \n" + r_as_xml},
        {"typed attribute", [](const xml::Querier& q) { int v; q.att("b", v); },
         "unable to convert text from attribute = b"},
        {"unconvertible attribute", [](const xml::Querier& q) { int v; q.att("a", v); },
         "unable to convert text from attribute = a"},
        {"unconvertible text", [](const xml::Querier& q) { q.read<int>("n"); }, "unable to convert text from tag = n"},
        {"go to parent at root", [](const xml::Querier& q) { xml::Querier c = q; c.go_to_parent(); },
         "xml::Querier::go_to_parent failed"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_MESSAGE(c.action(q), c.message);
    }
}

TEST(XmlReader, SubQueriersMoveIndependentlyAndKeepTheTreeAlive) {
    xml::Querier child;
    {
        xml::Querier q = parse("<r><a><b>5</b></a></r>");
        child = q.tag("a");
        q.go_to_tag("a");
        q.go_to_parent();
        EXPECT_EQ(q.name(), "r");
    }
    EXPECT_EQ(child.read<int>("b"), 5);
    child.go_to_parent();
    EXPECT_EQ(child.name(), "r");
}

TEST(FromString, ReadsNonFiniteSpellingsTheStreamsWrite) {
    struct Case {
        const char* text;
        double expected;
    };
    const double inf = std::numeric_limits<double>::infinity();
    for (Case c : {Case{"inf", inf}, Case{"-inf", -inf}, Case{"Infinity", inf}, Case{"-1.#INF", -inf},
                   Case{" 2.5e3", 2500.0}, Case{"-0.125 trailing", -0.125}}) {
        double value = 0;
        xml::from_string(c.text, value);
        EXPECT_EQ(value, c.expected) << c.text;
    }
    double value = 0;
    xml::from_string("NaN", value);
    EXPECT_TRUE(std::isnan(value));
    EXPECT_MESSAGE(xml::from_string("infinit", value), "string = infinit");
    EXPECT_MESSAGE(xml::from_string("", value), "string = ");
    int i = 0;
    EXPECT_MESSAGE(xml::from_string("x1", i), "string = x1");
}

}  // namespace
